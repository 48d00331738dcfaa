#pragma once
// Long work off the window's thread: a progress dialog with "Mégse", and the
// window stays responsive (repaints) while the work runs.
#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QString>
#include <QWidget>
#include <atomic>
#include <exception>
#include <functional>
#include <optional>
#include <thread>

#include "report/personcards.h"

namespace dosber {

// Runs work on a thread of its own; returns its result, or nothing when the
// user cancelled. A failure of the work is thrown again here.
template <class R>
std::optional<R> runinbackground(QWidget* parent, const QString& label, const std::function<R(const workcallbacks&)>& work) {
  QProgressDialog dialog(label, "Mégse", 0, 0, parent);
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(300);
  dialog.setAutoReset(false);
  dialog.setAutoClose(false);
  std::atomic<bool> cancel{false};
  QObject::connect(&dialog, &QProgressDialog::canceled, [&cancel] { cancel = true; });
  QEventLoop loop;
  std::optional<R> result;
  std::exception_ptr error;
  workcallbacks callbacks;
  callbacks.cancel = &cancel;
  callbacks.progress = [&dialog](int done, int total) {
    QMetaObject::invokeMethod(&dialog, [&dialog, done, total] {
      dialog.setMaximum(total);
      dialog.setValue(done);
    }, Qt::QueuedConnection);
  };
  std::thread worker([&] {
    try {
      result = work(callbacks);
    } catch (...) {
      error = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  worker.join();
  if (error) std::rethrow_exception(error);
  if (cancel) return std::nullopt;
  return result;
}

}  // namespace dosber
