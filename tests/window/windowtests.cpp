// The window driven on the offscreen platform.
#include <QHeaderView>
#include <QtTest>

#include <filesystem>
#include <fstream>

#include "app/mainwindow.h"
#include "base/settings.h"
#include "archive/archivestate.h"
#include "fixtures.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

class recorder : public messages {
 public:
  void info(QWidget*, const QString& text) override { infos << text; }
  void error(QWidget*, const QString& text) override { errors << text; }
  QStringList infos, errors;
};

QStringList items(QComboBox* box) {
  QStringList out;
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

employee person(const char* nev, const char* azon) {
  employee e;
  e.nev = nev;
  e.azon = azon;
  return e;
}

}  // namespace

class windowtests : public QObject {
  Q_OBJECT

  std::unique_ptr<tempfolder> root, archive;

  void makearchive() {
    archive = std::make_unique<tempfolder>();
    const yearinfo& y95 = *yearfor(95);
    const yearinfo& y01 = *yearfor(1);
    std::string a = makecompany(archive->path(), y95, "Alfa");
    writeemployees(joinpath(a, "dt.dat"), y95,
                   {person("Kovács Anna", "1"), person("SZEKOVICS Péter", "2"), person("Tóth Éva", "3")});
    std::string b = makecompany(archive->path(), y95, "Beta");
    writebytes(joinpath(b, "dt.dat"), bytes(10, 'x'));
    std::string c = makecompany(archive->path(), y01, "Gamma");
    writeemployees(joinpath(c, "dt.dat"), y01, {person("Nagy Gábor", "4"), person("Kiss Ödön", "5")});
    std::filesystem::create_directories(archive->path() + "/temp");
    writewages(joinpath(a, "karton.dat"), y95,
               {wagerecord(y95, "1          ", "9501").item(1, 21).item(13, 50000),
                wagerecord(y95, "1          ", "9502").item(1, 20).item(13, 50000)});
    writebytes(joinpath(c, "karton.dat"), bytes(10, 'x'));
  }

  static std::string pdftext(const std::string& path) { return capture("pdftotext -layout '" + path + "' -").out; }

 private slots:
  void init() {
    root = std::make_unique<tempfolder>();
    setenv("DOSBER_ROOT", root->path().c_str(), 1);
    makearchive();
  }

  void startupListsYearFolders() {
    archivestate s;
    recorder r;
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    QCOMPARE(items(w.ComboBox1), (QStringList{"Válassza ki az évet!", "ber01", "ber95"}));
    QCOMPARE(w.ComboBox1->currentIndex(), 0);
    QVERIFY(w.CheckBox1->isChecked());
    QCOMPARE(w.windowTitle(), QString("1992-2005 közti bérek lekérdezése (DOS)"));
  }

  void startupWithoutArgumentUsesTheFolderAboveTheProgram() {
    // The settings file names another folder: it plays no part.
    std::string path = settingspath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    writetext(path, "[exepar]\nbér könyvtár=" + archive->path() + "\n");
    archivestate s;
    recorder r;
    TForm1 w(s, r, {});
    QCOMPARE(QString::fromStdString(w.datafolder()), QString::fromStdString(parentpath(programfolder())));
    QCOMPARE(w.ComboBox1->itemText(0), QString("Válassza ki az évet!"));
    TForm1 empty(s, r, {QString()});
    QCOMPARE(QString::fromStdString(empty.datafolder()), QString::fromStdString(parentpath(programfolder())));
  }

  void choosingYearsListsTheirCompanies() {
    archivestate s;
    recorder r;
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    w.ComboBox1->setCurrentIndex(2);
    QCOMPARE(items(w.ComboBox2), (QStringList{"Válassza ki a céget!", "Alfa", "Beta"}));
    w.ComboBox1->setCurrentIndex(1);
    QCOMPARE(items(w.ComboBox2), (QStringList{"Válassza ki a céget!", "Gamma"}));
    w.ComboBox1->setCurrentIndex(0);  // the prompt does nothing
    QCOMPARE(items(w.ComboBox2), (QStringList{"Válassza ki a céget!", "Gamma"}));
    QVERIFY(r.infos.isEmpty() && r.errors.isEmpty());
  }

  void loadFilterAndDetails() {
    archivestate s;
    recorder r;
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    w.ComboBox1->setCurrentIndex(2);
    w.ComboBox2->setCurrentIndex(1);
    QVERIFY(r.errors.isEmpty());
    QCOMPARE(w.DBGrid1->model()->rowCount(), 3);
    QCOMPARE(w.DBGrid1->model()->data(w.DBGrid1->model()->index(0, 0)).toString(), QString("Kovács Anna"));
    QCOMPARE(w.detailtext("anyanev"), QString("Nagy Mária"));
    QCOMPARE(w.detailtext("ridon"), QString("8"));
    w.Edit1->setText("KOV");
    QCOMPARE(w.DBGrid1->model()->rowCount(), 2);
    w.Edit1->setText("   ");
    QCOMPARE(w.DBGrid1->model()->rowCount(), 0);
    w.Edit1->setText("");
    QCOMPARE(w.DBGrid1->model()->rowCount(), 3);
    w.Edit1->setText("tóth");
    QCOMPARE(w.DBGrid1->model()->rowCount(), 1);
    QCOMPARE(w.detailtext("feor"), QString("1234"));
    // A new company load shows all its rows although the pattern stays.
    w.ComboBox1->setCurrentIndex(1);
    w.ComboBox2->setCurrentIndex(1);
    QCOMPARE(w.DBGrid1->model()->rowCount(), 2);
    QCOMPARE(w.Edit1->text(), QString("tóth"));
    w.Edit1->setText("kis");
    QCOMPARE(w.DBGrid1->model()->rowCount(), 1);
  }

  void folderWithoutCompanyFileAndBrokenFile() {
    archivestate s;
    recorder r;
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    w.ComboBox1->setCurrentIndex(2);
    std::filesystem::remove(archive->path() + "/ber95/Alfa/mber.par");
    w.ComboBox2->setCurrentIndex(1);
    QCOMPARE(r.infos, QStringList{"Nem megfelelő adatkönyvtár!"});
    w.ComboBox2->setCurrentIndex(2);
    QCOMPARE(r.errors.size(), 1);
    QVERIFY(r.errors[0].startsWith("Read past end of file\nFájl: "));
    QVERIFY(r.errors[0].endsWith("dt.dat"));
    // The window stays usable: another company loads.
    w.ComboBox1->setCurrentIndex(1);
    w.ComboBox2->setCurrentIndex(1);
    QCOMPARE(w.DBGrid1->model()->rowCount(), 2);
    QCOMPARE(r.errors.size(), 1);
  }

  void cardButtonWithoutRows() {
    archivestate s;
    recorder r;
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    QCOMPARE(r.infos, QStringList{"Nem adta meg az adatok helyét!"});
    QVERIFY(w.ComboBox1->hasFocus());
  }

  void cardFromButtonAndDoubleClick() {
    setenv("DOSBER_NO_VIEWER", "1", 1);
    archivestate s;
    recorder r;
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.ComboBox1->setCurrentIndex(2);
    w.ComboBox2->setCurrentIndex(1);
    w.Edit1->setText("kovács");
    QCOMPARE(w.DBGrid1->model()->rowCount(), 1);
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    QVERIFY2(r.errors.isEmpty(), qPrintable(r.errors.join("; ")));
    std::string pdf = cardpdfpath();
    QVERIFY(std::filesystem::exists(pdf));
    std::string first = pdftext(pdf);
    QVERIFY(first.find("Kovács Anna jogviszony és fizetési adatai - 1995") != std::string::npos);
    QVERIFY(first.find("Bérezett nap") != std::string::npos);
    QCOMPARE(w.TrackBar1->value(), 0);
    QVERIFY(w.DBGrid1->hasFocus());
    std::filesystem::remove(pdf);
    QRect cell = w.DBGrid1->visualRect(w.DBGrid1->model()->index(0, 0));
    QTest::mouseClick(w.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(w.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(std::filesystem::exists(pdf));
    QCOMPARE(pdftext(pdf), first);
    // A broken wage card file: its message, no card, the window stays usable.
    std::filesystem::remove(pdf);
    w.ComboBox1->setCurrentIndex(1);
    w.ComboBox2->setCurrentIndex(1);
    w.Button1->click();
    QCOMPARE(r.errors.size(), 1);
    QVERIFY(r.errors[0].startsWith("Read past end of file\nFájl: "));
    QVERIFY(!std::filesystem::exists(pdf));
    QCOMPARE(w.TrackBar1->value(), 0);
    w.ComboBox1->setCurrentIndex(2);
    w.ComboBox2->setCurrentIndex(1);
    w.Button1->click();
    QVERIFY(std::filesystem::exists(pdf));
    unsetenv("DOSBER_NO_VIEWER");
  }

  void searchDialogLoadsTheChosenEmployment() {
    archivestate s;
    recorder r;
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keySequence(&w, QKeySequence::Find);
    auto* dialog = w.findChild<searchdialog*>();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QString("Keresés a teljes archívumban"));
    dialog->pattern->setText("ödön");
    dialog->start->click();
    QTRY_VERIFY(!dialog->running());
    QTRY_COMPARE(dialog->results->rowCount(), 1);
    QVERIFY(dialog->status->text().contains("Kihagyva"));  // the broken company of 1995
    QCOMPARE(dialog->results->item(0, 3)->text(), QString("Kiss Ödön"));
    QRect cell = dialog->results->visualItemRect(dialog->results->item(0, 0));
    QTest::mouseClick(dialog->results->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(dialog->results->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(w.ComboBox1->currentText(), QString("ber01"));
    QCOMPARE(w.ComboBox2->currentText(), QString("Gamma"));
    QCOMPARE(QString::fromStdString(w.employees().text("nev")), QString("Kiss Ödön"));
    QCOMPARE(w.DBGrid1->currentIndex().row(), 0);
    QVERIFY(!dialog->isVisible());
    // A second choice in another year.
    w.opensearch();
    dialog->pattern->setText("tóth");
    dialog->start->click();
    QTRY_VERIFY(!dialog->running());
    QTRY_COMPARE(dialog->results->rowCount(), 1);
    dialog->choose(0);
    QCOMPARE(w.ComboBox1->currentText(), QString("ber95"));
    QCOMPARE(QString::fromStdString(w.employees().text("nev")), QString("Tóth Éva"));
    QCOMPARE(w.DBGrid1->currentIndex().row(), 2);
    QCOMPARE(w.detailtext("anyanev"), QString("Nagy Mária"));
  }

  void sessionLeavesTheArchiveUntouched() {
    setenv("DOSBER_NO_VIEWER", "1", 1);
    tempfolder t;
    std::string copy = t / "archive";
    copysample(copy);
    auto before = snapshot(copy);
    {
      archivestate s;
      recorder r;
      TForm1 w(s, r, {QString::fromStdString(copy)});
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      w.ComboBox1->setCurrentIndex(w.ComboBox1->findText("ber99"));
      w.ComboBox2->setCurrentIndex(w.ComboBox2->findText("kalibra"));
      w.Edit1->setText("farkas");
      QVERIFY(w.DBGrid1->model()->rowCount() > 0);
      w.Button1->click();
      QVERIFY(std::filesystem::exists(cardpdfpath()));
      searchdialog* d = w.opensearch();
      d->pattern->setText("farkas");
      d->start->click();
      QTRY_VERIFY(!d->running());
      QTRY_VERIFY(d->results->rowCount() > 0);
      d->choose(0);
      w.Button1->click();
      QVERIFY2(r.errors.isEmpty(), qPrintable(r.errors.join("; ")));
      w.close();
    }
    QVERIFY(snapshot(copy) == before);
    unsetenv("DOSBER_NO_VIEWER");
  }

  void columnsFitTheirWidestTexts() {
    // The grid sizes its columns from a few candidate rows; measuring every
    // row gives the same widths. Many narrow letters are narrower than a few
    // wide ones.
    tempfolder t;
    const yearinfo& y = *yearfor(1);
    std::vector<employee> list;
    for (int i = 0; i < 300; ++i) {
      employee e = person(i % 3 ? "Illi Lili Ilil" : "Kiss Anna", "1");
      if (i == 150) e.nev = "WÓMWÓM MÁW";
      e.azon = std::to_string(10000000000 + i);
      list.push_back(e);
    }
    writeemployees(joinpath(makecompany(t.path(), y, "Sok"), "dt.dat"), y, list);
    auto check = [&](const std::string& data, const char* year, const std::vector<const char*>& companies) {
      archivestate s;
      recorder r;
      TForm1 w(s, r, {QString::fromStdString(data)});
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      w.ComboBox1->setCurrentIndex(w.ComboBox1->findText(year));
      for (const char* company : companies) {
        w.ComboBox2->setCurrentIndex(w.ComboBox2->findText(company));
        QVERIFY(w.DBGrid1->model()->rowCount() > 0);
        QList<int> fitted;
        for (int c = 0; c < 6; ++c) fitted << w.DBGrid1->columnWidth(c);
        w.DBGrid1->horizontalHeader()->setResizeContentsPrecision(-1);  // every row
        w.DBGrid1->resizeColumnsToContents();
        for (int c = 0; c < 6; ++c) QCOMPARE(fitted[c], w.DBGrid1->columnWidth(c));
      }
    };
    check(DOSBER_SAMPLE, "ber99", {"kalibra", "Epito", "arpad"});
    check(t.path(), "ber01", {"Sok"});
  }

  void unwritableSettingsFolderStillCloses() {
    // A file stands where the settings folder should be.
    writebytes(root->path() + "/Params", bytes{'x'});
    archivestate s;
    recorder r;
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.close());
    QCOMPARE(r.errors.size(), 1);
    QVERIFY(!w.isVisible());
  }

  void settingsReadOnceWrittenAtClose() {
    std::string path = settingspath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    {
      std::ofstream f(path);
      f << "[exepar]\nbér könyvtár=/somewhere/else\nfelhasználói pdf=0\n[más]\nkulcs=érték\n";
    }
    archivestate s;
    recorder r;
    std::string upper = archive->path() + "/../" + std::filesystem::path(archive->path()).filename().string();
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    QVERIFY(!w.CheckBox1->isChecked());
    w.ComboBox1->setCurrentIndex(1);
    w.ComboBox2->setCurrentIndex(1);
    w.CheckBox1->setChecked(true);
    w.close();
    settings st = readsettings(path, "/x");
    QCOMPARE(QString::fromStdString(st.storedfolder), QString::fromStdString(lowercase(archive->path())));
    QVERIFY(st.defaultreader);
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    QVERIFY(text.find("[más]\nkulcs=érték\n") != std::string::npos);
  }

  void firstRunCreatesTheSettingsFile() {
    archivestate s;
    recorder r;
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    QVERIFY(w.CheckBox1->isChecked());
    w.close();
    settings st = readsettings(settingspath(), "/x");
    QCOMPARE(QString::fromStdString(st.storedfolder), QString::fromStdString(archive->path()));
    QVERIFY(std::filesystem::exists(settingspath()));
  }
};

QTEST_MAIN(windowtests)
#include "windowtests.moc"
