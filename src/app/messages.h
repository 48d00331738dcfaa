#pragma once
// How the window tells the user something: a message box for the fixed
// texts, the error dialog for failures. Tests put a recorder in its place.
#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace dosber {

class messages {
 public:
  virtual ~messages() = default;
  virtual void info(QWidget* parent, const QString& text) = 0;
  virtual void error(QWidget* parent, const QString& text) = 0;
};

class boxmessages : public messages {
 public:
  void info(QWidget* parent, const QString& text) override {
    QMessageBox::information(parent, parent ? parent->windowTitle() : QString(), text);
  }
  void error(QWidget* parent, const QString& text) override {
    QMessageBox::critical(parent, parent ? parent->windowTitle() : QString(), text);
  }
};

}  // namespace dosber
