#include "app/desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include "base/paths.h"

namespace dosber {
namespace {
QString titleof(QWidget* parent) { return parent ? parent->window()->windowTitle() : QString(); }
}  // namespace

void systemdesktop::info(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, titleof(parent), text);
}

void systemdesktop::warning(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, titleof(parent), text);
}

void systemdesktop::error(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, titleof(parent), text);
}

bool systemdesktop::offer(QWidget* parent, const QString& text, const QString& action) {
  QMessageBox box(QMessageBox::Warning, titleof(parent), text, QMessageBox::NoButton, parent);
  QPushButton* take = box.addButton(action, QMessageBox::ActionRole);
  box.addButton(QMessageBox::Close);
  box.exec();
  return box.clickedButton() == take;
}

QString systemdesktop::choosefolder(QWidget* parent, const QString& title, const QString& start) {
  return QFileDialog::getExistingDirectory(parent, title, start);
}

QString systemdesktop::savefilename(QWidget* parent, const QString& title, const QString& proposed,
                                    const QString& filter) {
  return QFileDialog::getSaveFileName(parent, title, proposed, filter);
}

bool haspdfapplication() {
#if defined(_WIN32) || defined(__APPLE__)
  return true;
#else
  // The desktop opens files through xdg-open; it names the application it
  // would use, and nothing when there is none.
  QString mime = QStandardPaths::findExecutable("xdg-mime");
  if (mime.isEmpty()) return false;
  QProcess query;
  query.start(mime, {"query", "default", "application/pdf"});
  if (!query.waitForFinished(3000) || query.exitCode() != 0) return false;
  return !query.readAllStandardOutput().trimmed().isEmpty();
#endif
}

bool systemdesktop::openpdf(const QString& file, bool defaultviewer) {
  if (!defaultviewer) {
    QString viewer = QString::fromStdString(joinpath(joinpath(programfolder(), "pdfreader"), "pdfxcview"));
    if (QFileInfo(viewer).isExecutable() && QProcess::startDetached(viewer, {file})) return true;
  }
  return haspdfapplication() && QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

bool systemdesktop::openfolder(const QString& folder) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

}  // namespace dosber
