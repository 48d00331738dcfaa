#pragma once
// "Névjegy": the program's name and version, the licence of the program and
// of the fonts it ships.
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>

namespace dosber {

class aboutdialog : public QDialog {
  Q_OBJECT
 public:
  explicit aboutdialog(QWidget* parent = nullptr);

  QLabel* title;
  QLabel* version;
  QPlainTextEdit* licences;
};

}  // namespace dosber
