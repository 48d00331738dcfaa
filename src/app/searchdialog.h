#pragma once
// "Keresés a teljes archívumban": finds a person in every year and company
// of the data folder, off the window's thread, showing results as they come.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "archive/search.h"

namespace dosber {

class searchdialog : public QDialog {
  Q_OBJECT
 public:
  searchdialog(std::string datafolder, QWidget* parent = nullptr);
  ~searchdialog() override;

  QLineEdit* pattern;
  QLineEdit* born;
  QPushButton* start;
  QPushButton* cancel;
  QTableWidget* results;
  QProgressBar* bar;
  QLabel* status;
  QPushButton* personcards;  // "Összes karton" of the selected result's person
  QPushButton* summary;      // "Kereseti összesítő" of that person

  bool running() const { return worker_.joinable() && !finished_; }
  const std::vector<foundemployment>& found() const { return found_; }
  void startsearch();
  void choose(int row);
  // The selected result, or null.
  const foundemployment* selected() const;

 signals:
  void chosen(const dosber::foundemployment& employment);
  void personcardsrequested(const dosber::foundemployment& employment);
  void summaryrequested(const dosber::foundemployment& employment);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void stop();
  void addrows(const std::vector<foundemployment>& rows);
  void finish(const searchresult& result);

  std::string datafolder_;
  std::thread worker_;
  std::shared_ptr<std::atomic<bool>> cancelled_;
  bool finished_ = true;
  std::vector<foundemployment> found_;
  unsigned generation_ = 0;
};

}  // namespace dosber
