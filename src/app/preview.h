#pragma once
// "Karton előnézet": any PDF the program wrote, shown and printed without
// leaving the program.
#include <QLabel>
#include <QPdfDocument>
#include <QPdfView>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <functional>

#include "app/desktop.h"

class QPrinter;

namespace dosber {

class previewwindow : public QWidget {
  Q_OBJECT
 public:
  // What the window it belongs to does for it: the save-as of the main
  // window and the viewer of its check box.
  struct owneractions {
    std::function<void(const QString& file, const QString& proposedname)> saveas;
    std::function<void(const QString& file)> openexternal;
  };
  previewwindow(QWidget* parent, desktop& desk, owneractions actions);

  // Shows the file; false, with nothing shown, when it cannot be read.
  bool open(const QString& file, const QString& proposedname);
  QString file() const { return file_; }
  int pagecount() const { return document_.pageCount(); }
  int currentpage() const;  // from 0
  void gotopage(int page);
  QString counter() const { return pagelabel->text(); }

  // The print dialog, then printing.
  void print();
  // Prints pages from .. to (from 0) at the printer's resolution, each the
  // right way up; false when the printer cannot be started.
  bool printto(QPrinter& printer, int from, int to);

  QPdfView* view;
  QLabel* pagelabel;  // "2/4"
  QLabel* pathlabel;  // the file's full path
  QPushButton* fitbutton;
  QPushButton* printbutton;
  QPushButton* savebutton;
  QPushButton* externalbutton;

 private:
  void zoom(double factor);
  void showcounter();

  desktop& desk_;
  owneractions actions_;
  QPdfDocument document_;
  QString file_, proposed_;
};

}  // namespace dosber
