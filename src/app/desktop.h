#pragma once
// What the window asks of the user and the desktop: message boxes, file
// dialogs, starting a PDF viewer, showing a folder. Tests put a recorder in
// its place.
#include <QString>
#include <QWidget>

namespace dosber {

class desktop {
 public:
  virtual ~desktop() = default;
  // The fixed texts of the program and notices.
  virtual void info(QWidget* parent, const QString& text) = 0;
  // A failure that the program itself reports (warning icon).
  virtual void warning(QWidget* parent, const QString& text) = 0;
  // The error dialog of run-time failures.
  virtual void error(QWidget* parent, const QString& text) = 0;
  // A failure with a way on: true when the user takes the action.
  virtual bool offer(QWidget* parent, const QString& text, const QString& action) = 0;
  // File dialogs; empty text when the user cancels.
  virtual QString choosefolder(QWidget* parent, const QString& title, const QString& start) = 0;
  virtual QString savefilename(QWidget* parent, const QString& title, const QString& proposed,
                               const QString& filter) = 0;
  // Opens a PDF with the system's default application or with the viewer
  // beside the program; false when nothing could be started.
  virtual bool openpdf(const QString& file, bool defaultviewer) = 0;
  virtual bool openfolder(const QString& folder) = 0;
};

class systemdesktop : public desktop {
 public:
  void info(QWidget* parent, const QString& text) override;
  void warning(QWidget* parent, const QString& text) override;
  void error(QWidget* parent, const QString& text) override;
  bool offer(QWidget* parent, const QString& text, const QString& action) override;
  QString choosefolder(QWidget* parent, const QString& title, const QString& start) override;
  QString savefilename(QWidget* parent, const QString& title, const QString& proposed,
                       const QString& filter) override;
  bool openpdf(const QString& file, bool defaultviewer) override;
  bool openfolder(const QString& folder) override;
};

// The default application for PDF files is registered on the desktop
// (always assumed where the desktop gives no way to ask).
bool haspdfapplication();

}  // namespace dosber
