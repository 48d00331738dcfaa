#pragma once
// The one window of the program. Controls and handlers keep the names of the
// window definition (ComboBox1, DBGrid1, Button1Click, ...).
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTableView>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/employeemodel.h"
#include "app/preview.h"
#include "app/desktop.h"
#include "app/searchdialog.h"
#include "archive/archivestate.h"
#include "base/progress.h"
#include "table/table.h"

namespace dosber {
class tpdflist;

// The track bar as the readers' progress bar; it repaints now and then so
// that it visibly moves during a load.
class trackbarprogress : public progress {
 public:
  explicit trackbarprogress(QSlider* bar) : bar_(bar) {}
  void setmaximum(int v) override;
  void setminimum(int v) override;
  void setposition(int v) override;
  int position() const override;

 private:
  QSlider* bar_;
  qint64 lastpaint_ = 0;
};

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // arguments: the program's arguments after its name.
  TForm1(archivestate& state, desktop& desk, const QStringList& arguments, QWidget* parent = nullptr);
  ~TForm1() override;

  QComboBox* ComboBox1;
  QComboBox* ComboBox2;
  QCheckBox* CheckBox1;
  QTableView* DBGrid1;
  QFrame* Panel1;
  QFrame* Panel2;
  QLabel* Label1;
  QLineEdit* Edit1;
  QPushButton* Button1;
  QSlider* TrackBar1;
  QPushButton* SearchButton;  // the whole-archive search (Ctrl+F)
  QPushButton* SaveButton;    // "Mentés…": a copy of the card under a chosen name (Ctrl+S)
  QPushButton* ExportButton;  // "Exportálás…": the rows the grid shows as CSV (Ctrl+E)
  QLabel* StatusInfo;         // what is loaded, and what was last done
  QLabel* StatusCard;         // the last card written
  QAction* PreviewAction;     // "Beépített előnézet": every PDF in the program's own preview

  memtable& employees() { return employees_; }
  const std::string& datafolder() const { return datafolder_; }
  const std::string& yearfolderpath() const { return yearfolder_; }
  // Text of the detail panel's value label of a field.
  QString detailtext(const QString& field) const;

  void ComboBox1Change();
  void ComboBox2Change();
  void Edit1Change();
  void Button1Click();
  void DBGrid1DblClick();
  // Puts the grid on a visible row of the employee table.
  void selectrow(int position);
  // Opens the whole-archive search; a chosen result is loaded.
  searchdialog* opensearch();
  // Chooses the year and company of a found employment, loads it and puts
  // the grid on that employment.
  void openemployment(const foundemployment& e);
  // "Névjegy" (F1): version and licences.
  void showabout();

  // Beyond the specified window: a copy of the card, every card and the
  // earnings summary of a person, export, another data folder.
  void savecardas();
  void exportrows();
  void choosedatafolder();
  void personcards(const std::string& azon, QWidget* parent = nullptr);
  void personsummary(const std::string& azon, QWidget* parent = nullptr);
  QString statustext() const { return StatusInfo->text(); }
  QString lastcard() const { return QString::fromStdString(lastcard_); }
  // The program's own preview of a PDF it wrote; null when it cannot be read.
  previewwindow* showpreview(const std::string& path, const std::string& proposedname);
  // Save-as of a file already written (the preview's "Mentés…").
  void savecopy(const std::string& from, const std::string& proposedname);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate(const QStringList& arguments);
  void buildlayout();
  void showcurrent();
  void fitcolumns();
  void fillyears();
  void buildmenus();
  void placecontrols();
  void gridmenu(const QPoint& at);
  // Saves a finished document and opens it like the card; the status line
  // and, where no viewer starts, a message name the file.
  void writeoutput(tpdflist& document, const std::string& path, const std::string& proposedname);
  // The save dialog in the folder last used; empty when cancelled.
  std::string choosesavepath(const std::string& proposedname, const QString& title, const QString& filter);
  void noteoutput(const std::string& path);  // the status line names the last file written
  std::string cardfilename() const;          // "<név> <év> <belépés>.pdf" of the current row
  std::string personname(const std::string& azon) const;
  void updatestatus();
  // Runs a step; a failure is shown in the error dialog. False when it failed.
  bool guarded(const std::function<void()>& f);

  archivestate& state_;
  desktop& desk_;
  memtable employees_;
  employeemodel* model_;
  trackbarprogress progress_;
  std::string datafolder_;
  std::string yearfolder_;
  std::string programfolder_;
  struct detail {
    std::string field;
    QLabel* value;
  };
  std::vector<detail> details_;
  // What the status line tells besides the loaded company.
  enum class note { none, yearchosen, loadfailed, noyears } note_ = note::none;
  std::string notefolder_;
  bool loaded_ = false;
  std::string lastcard_;
  std::string savefolder_;
};

}  // namespace dosber
