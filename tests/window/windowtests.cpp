#include <QtTest>
class windowtests : public QObject {
  Q_OBJECT
 private slots:
  void placeholder() { QVERIFY(true); }
};
QTEST_MAIN(windowtests)
#include "windowtests.moc"
