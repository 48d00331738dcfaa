// The window driven on the offscreen platform.
#include <QHeaderView>
#include <QPrinter>
#include <QtTest>

#include <filesystem>
#include <fstream>

#include "app/aboutdialog.h"
#include "app/mainwindow.h"
#include "base/settings.h"
#include "archive/archivestate.h"
#include "base/version.h"
#include "fixtures.h"
#include "report/pdflist.h"
#include "report/personcards.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

// Records what the window tells and asks; dialogs answer with what the test
// put in place, and no viewer starts unless the test says it can.
class recorder : public desktop {
 public:
  void info(QWidget*, const QString& text) override { infos << text; }
  void warning(QWidget*, const QString& text) override { warnings << text; }
  void error(QWidget*, const QString& text) override { errors << text; }
  bool offer(QWidget*, const QString& text, const QString& action) override {
    offers << text + " [" + action + "]";
    return takeoffer;
  }
  QString choosefolder(QWidget*, const QString&, const QString&) override { return folder; }
  QString savefilename(QWidget*, const QString&, const QString& proposed, const QString&) override {
    proposals << proposed;
    return savename;
  }
  bool openpdf(const QString& file, bool defaultviewer) override {
    opened << file + (defaultviewer ? " (default)" : " (viewer)");
    return viewerstarts;
  }
  bool openfolder(const QString& f) override {
    folders << f;
    return true;
  }
  QStringList infos, warnings, errors, offers, proposals, opened, folders;
  bool takeoffer = false, viewerstarts = true;
  QString folder, savename;
};

std::string s(const QString& q) { return q.toStdString(); }

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

// A window on the test archive with Alfa of 1995 loaded.
struct loadedwindow {
  archivestate s;
  recorder r;
  std::unique_ptr<TForm1> w;
  explicit loadedwindow(const std::string& folder) {
    w = std::make_unique<TForm1>(s, r, QStringList{QString::fromStdString(folder)});
    w->show();
    w->ComboBox1->setCurrentIndex(w->ComboBox1->findText("ber95"));
    w->ComboBox2->setCurrentIndex(w->ComboBox2->findText("Alfa"));
  }
};

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
    QVERIFY(r.infos.isEmpty() && r.warnings.isEmpty() && r.errors.isEmpty());
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
    QCOMPARE(r.warnings, QStringList{"Nem megfelelő adatkönyvtár!"});
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
    QCOMPARE(r.warnings, QStringList{"Nem adta meg az adatok helyét!"});
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

  void aboutShowsVersionAndLicences() {
    archivestate s;
    recorder r;
    TForm1 w(s, r, {QString::fromStdString(archive->path())});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    auto* dialog = w.findChild<aboutdialog*>();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QString("Névjegy"));
    QCOMPARE(dialog->version->text(), QString("Változat: ") + programversion);
    QString text = dialog->licences->toPlainText();
    QVERIFY(text.contains("MIT License"));
    QVERIFY(text.contains("Bitstream Vera is a trademark of Bitstream, Inc."));
    QVERIFY(text.contains("DejaVu changes are in public domain."));
    dialog->reject();
    QVERIFY(!dialog->isVisible());
    w.showabout();
    QCOMPARE(w.findChildren<aboutdialog*>().size(), 1);
    QVERIFY(dialog->isVisible());
  }

  // --- beyond the specified window -------------------------------------

  void viewerThatCannotStartIsReported() {
    unsetenv("DOSBER_NO_VIEWER");
    loadedwindow l(archive->path());
    l.r.viewerstarts = false;
    l.r.takeoffer = true;
    l.w->CheckBox1->setChecked(false);
    l.w->Button1->click();
    QCOMPARE(l.r.opened, QStringList{QString::fromStdString(cardpdfpath()) + " (viewer)"});
    // The program's own preview opens instead, and the status line names the file.
    auto* preview = l.w->findChild<previewwindow*>();
    QVERIFY(preview && preview->isVisible());
    QCOMPARE(preview->file(), QString::fromStdString(cardpdfpath()));
    QVERIFY(preview->pathlabel->text().contains(QString::fromStdString(cardpdfpath())));
    QVERIFY(l.w->StatusCard->text().contains("nem indult el"));
    QVERIFY(l.w->StatusCard->text().contains(QString::fromStdString(cardpdfpath())));
    QVERIFY(l.r.offers.isEmpty());
    // Where even the preview cannot show the file, a message names it and offers its folder.
    preview->close();
    std::string folder = root->path() + "/nem-pdf";
    std::filesystem::create_directories(folder);
    writebytes(folder + "/x.pdf", bytes{'x'});
    QVERIFY(!l.w->showpreview(folder + "/x.pdf", "x.pdf"));
    // A viewer that starts: no preview, no message.
    l.r.viewerstarts = true;
    l.w->CheckBox1->setChecked(true);
    l.w->Button1->click();
    QVERIFY(!preview->isVisible());
    QVERIFY(l.r.opened.last().endsWith("(default)"));
    // The desktop's own viewer start with no PDF application to be found.
    QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(root->path()));
    systemdesktop real;
    QVERIFY(!haspdfapplication());
    QVERIFY(!real.openpdf(QString::fromStdString(cardpdfpath()), true));
    qputenv("PATH", path);
  }

  void previewShowsTheCardAndMovesBetweenPages() {
    setenv("DOSBER_NO_VIEWER", "1", 1);
    loadedwindow l(archive->path());
    l.w->PreviewAction->setChecked(true);
    l.w->Button1->click();
    auto* preview = l.w->findChild<previewwindow*>();
    QVERIFY(preview && preview->isVisible());
    QCOMPARE(preview->windowTitle(), QString("Karton előnézet"));
    int pages = std::stoi(capture("pdfinfo '" + cardpdfpath() + "' | sed -n 's/^Pages: *//p'").out);
    QCOMPARE(preview->pagecount(), pages);
    QCOMPARE(preview->counter(), QString("1/%1").arg(pages));
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    QTest::keyClick(preview, Qt::Key_PageDown);
    QCOMPARE(preview->counter(), QString("2/%1").arg(pages));
    QTest::keyClick(preview, Qt::Key_End);
    QCOMPARE(preview->counter(), QString("%1/%1").arg(pages));
    QTest::keyClick(preview, Qt::Key_PageDown);  // stays on the last page
    QCOMPARE(preview->counter(), QString("%1/%1").arg(pages));
    QTest::keyClick(preview, Qt::Key_Home);
    QCOMPARE(preview->counter(), QString("1/%1").arg(pages));
    QTest::keyClick(preview, Qt::Key_PageUp);
    QCOMPARE(preview->counter(), QString("1/%1").arg(pages));
    // "Mentés…" saves a copy of the shown file, proposing the card's name.
    tempfolder out;
    l.r.savename = QString::fromStdString(out / "copy.pdf");
    QTest::keySequence(preview, QKeySequence::Save);
    QCOMPARE(QString::fromStdString(lastcomponent(s(l.r.proposals.value(0)))), QString("Kovács Anna 1995 1992.01.01.pdf"));
    QCOMPARE(capture("cmp '" + out / "copy.pdf" + "' '" + cardpdfpath() + "'").status, 0);
    // "Megnyitás külső programban" uses the check box's viewer.
    preview->externalbutton->click();
    QVERIFY(l.r.opened.last().startsWith(QString::fromStdString(cardpdfpath())));
    QTest::keyClick(preview, Qt::Key_Escape);
    QVERIFY(!preview->isVisible());
    unsetenv("DOSBER_NO_VIEWER");
  }

  void alwaysPreviewSurvivesARestart() {
    std::string path = settingspath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    writetext(path, "[exepar]\nfelhasználói pdf=1\n[más]\nkulcs=érték\n");
    {
      archivestate st;
      recorder r;
      TForm1 w(st, r, {QString::fromStdString(archive->path())});
      QVERIFY(!w.PreviewAction->isChecked());
      w.PreviewAction->setChecked(true);
      w.close();
    }
    archivestate st;
    recorder r;
    TForm1 w(st, r, {QString::fromStdString(archive->path())});
    QVERIFY(w.PreviewAction->isChecked());
    QVERIFY(w.CheckBox1->isChecked());
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    QVERIFY(text.find("beépített előnézet=1") != std::string::npos);
    QVERIFY(text.find("[más]\nkulcs=érték\n") != std::string::npos);
  }

  void printingKeepsPagesAndOrientations() {
    // A card whose month grid is too wide for portrait: pages of both orientations.
    tempfolder t;
    const yearinfo& y = *yearfor(98);
    std::string folder = makecompany(t.path(), y, "Szeles");
    employee e = person("Széles Vilma", "15607231234");
    writeemployees(joinpath(folder, "dt.dat"), y, {e});
    std::vector<wagerecord> months;
    for (int m = 1; m <= 12; ++m) {
      char evho[8];
      std::snprintf(evho, sizeof evho, "98%02d", m);
      months.push_back(wagerecord(y, e.azon, evho).item(13, 123456789.0 + m).item(21, 98765432.0));
    }
    writewages(joinpath(folder, "karton.dat"), y, months);
    setenv("DOSBER_NO_VIEWER", "1", 1);
    archivestate st;
    recorder r;
    TForm1 w(st, r, {QString::fromStdString(t.path())});
    w.ComboBox1->setCurrentIndex(1);
    w.ComboBox2->setCurrentIndex(1);
    w.PreviewAction->setChecked(true);
    w.Button1->click();
    auto* preview = w.findChild<previewwindow*>();
    QVERIFY(preview && preview->pagecount() >= 2);
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(t / "printed.pdf"));
    QVERIFY(preview->printto(printer, 0, preview->pagecount() - 1));
    auto sizes = [](const std::string& file) {
      std::string out = capture("pdfinfo -f 1 -l 99 '" + file + "' | grep 'size:'").out;
      QStringList orientations;
      for (const QString& line : QString::fromStdString(out).split('\n', Qt::SkipEmptyParts)) {
        QStringList n = line.section("size:", 1).simplified().split(' ');
        orientations << (n.value(0).toDouble() > n.value(2).toDouble() ? "landscape" : "portrait");
      }
      return orientations;
    };
    QStringList card = sizes(cardpdfpath()), printed = sizes(t / "printed.pdf");
    QCOMPARE(printed, card);
    QVERIFY(card.contains("landscape") && card.contains("portrait"));
    unsetenv("DOSBER_NO_VIEWER");
  }

  void saveCopyUnderAChosenName() {
    setenv("DOSBER_NO_VIEWER", "1", 1);
    loadedwindow l(archive->path());
    tempfolder out;
    l.r.savename = QString::fromStdString(out / "masolat");  // ".pdf" is added
    l.w->selectrow(0);
    l.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(l.w.get()));
    QTest::keySequence(l.w.get(), QKeySequence::Save);
    QCOMPARE(l.r.proposals.size(), 1);
    QCOMPARE(QString::fromStdString(lastcomponent(s(l.r.proposals[0]))), QString("Kovács Anna 1995 1992.01.01.pdf"));
    QVERIFY(std::filesystem::exists(out / "masolat.pdf"));
    l.w->Button1->click();
    std::string copy = pdftext(out / "masolat.pdf"), card = pdftext(cardpdfpath());
    QVERIFY(copy.find("Kovács Anna jogviszony és fizetési adatai - 1995") != std::string::npos);
    QCOMPARE(copy, card);
    // The folder is proposed again and kept in the settings file at close.
    l.w->SaveButton->click();
    QCOMPARE(QString::fromStdString(parentpath(s(l.r.proposals[1]))), QString::fromStdString(out.path()));
    l.w->close();
    QCOMPARE(QString::fromStdString(readsettings(settingspath(), "/x").savefolder), QString::fromStdString(out.path()));
    unsetenv("DOSBER_NO_VIEWER");
  }

  void gridAndPanelGrowWithTheWindow() {
    loadedwindow l(archive->path());
    QVERIFY(QTest::qWaitForWindowExposed(l.w.get()));
    QWidget* client = l.w->centralWidget();
    QSize start = client->size();
    QCOMPARE(start, client->minimumSize());
    QRect grid = l.w->DBGrid1->geometry(), panel = l.w->Panel1->geometry(), button = l.w->Button1->geometry();
    l.w->resize(l.w->size() + QSize(300, 200));
    QTRY_COMPARE(client->size(), start + QSize(300, 200));
    QCOMPARE(l.w->DBGrid1->geometry(), grid.adjusted(0, 0, 300, 200));
    QCOMPARE(l.w->Panel1->geometry(), panel.translated(300, 0).adjusted(0, 0, 0, 200));
    QCOMPARE(l.w->Button1->geometry(), button.translated(0, 200));
    QVERIFY(l.w->Panel1->geometry().left() > l.w->DBGrid1->geometry().right());
  }

  void statusLineSaysWhatIsLoaded() {
    loadedwindow l(archive->path());
    QCOMPARE(l.w->statustext(), QString("Betöltve: 1995, Kalibra Bt. (alfa), 3 jogviszony"));
    l.w->Edit1->setText("kov");
    QCOMPARE(l.w->statustext(), QString("Betöltve: 1995, Kalibra Bt. (alfa), 2 / 3 jogviszony (szűrve)"));
    l.w->ComboBox1->setCurrentIndex(l.w->ComboBox1->findText("ber01"));
    QVERIFY(l.w->statustext().startsWith("Választott év: ber01 – válasszon céget. A táblázatban: 1995, Kalibra Bt."));
    l.w->ComboBox1->setCurrentIndex(l.w->ComboBox1->findText("ber95"));
    l.w->ComboBox2->setCurrentIndex(l.w->ComboBox2->findText("Beta"));
    QCOMPARE(l.r.errors.size(), 1);
    QVERIFY(l.w->statustext().startsWith("A betöltés nem sikerült: ber95/Beta."));
    // No year folder under the data folder.
    tempfolder empty;
    recorder r;
    TForm1 w(l.s, r, {QString::fromStdString(empty.path())});
    QCOMPARE(w.statustext(), "Az adatkönyvtárban nincs évkönyvtár (ber92 … ber05): " +
                                 QString::fromStdString(empty.path()) + ". Nincs betöltött cég.");
  }

  void anotherDataFolderRebuildsTheYearList() {
    tempfolder empty;
    recorder r;
    archivestate st;
    TForm1 w(st, r, {QString::fromStdString(empty.path())});
    QCOMPARE(items(w.ComboBox1), QStringList{"Válassza ki az évet!"});
    r.folder = QString::fromStdString(archive->path());
    w.choosedatafolder();
    QCOMPARE(items(w.ComboBox1), (QStringList{"Válassza ki az évet!", "ber01", "ber95"}));
    QCOMPARE(QString::fromStdString(w.datafolder()), r.folder);
    QCOMPARE(w.statustext(), QString("Nincs betöltött cég."));
    r.folder.clear();  // cancelled: nothing changes
    w.choosedatafolder();
    QCOMPARE(QString::fromStdString(w.datafolder()), QString::fromStdString(archive->path()));
  }

  void keyboardOfTheGrid() {
    setenv("DOSBER_NO_VIEWER", "1", 1);
    loadedwindow l(archive->path());
    QVERIFY(QTest::qWaitForWindowExposed(l.w.get()));
    l.w->DBGrid1->setFocus();
    QTest::keyClick(l.w->DBGrid1, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(l.w->DBGrid1->currentIndex().row(), 2);
    QTest::keyClick(l.w->DBGrid1, Qt::Key_Home);
    QCOMPARE(l.w->DBGrid1->currentIndex().row(), 0);
    QTest::keyClick(l.w->DBGrid1, Qt::Key_Return);
    std::string byenter = pdftext(cardpdfpath());
    std::filesystem::remove(cardpdfpath());
    l.w->Button1->click();
    QCOMPARE(pdftext(cardpdfpath()), byenter);
    QCOMPARE(l.w->Button1->text(), QString("&Karton"));  // Alt+K
    unsetenv("DOSBER_NO_VIEWER");
  }

  void enterOnASearchResultOpensIt() {
    loadedwindow l(archive->path());
    QVERIFY(QTest::qWaitForWindowExposed(l.w.get()));
    searchdialog* d = l.w->opensearch();
    d->pattern->setText("KISS ODON");  // letter case and accents do not matter
    QTest::keyClick(d->pattern, Qt::Key_Return);
    QTRY_VERIFY(!d->running());
    QTRY_COMPARE(d->results->rowCount(), 1);
    d->results->setFocus();
    d->results->selectRow(0);
    QTest::keyClick(d->results, Qt::Key_Return);
    QCOMPARE(l.w->ComboBox1->currentText(), QString("ber01"));
    QCOMPARE(QString::fromStdString(l.w->employees().text("nev")), QString("Kiss Ödön"));
    // A birth date that cannot be read is said, not searched for.
    l.w->opensearch();
    d->pattern->clear();
    d->born->setText("1961.13.05");
    d->start->click();
    QVERIFY(!d->running());
    QVERIFY(d->status->text().startsWith("A születési idő nem értelmezhető"));
    d->born->setText("19560723");  // the writer's default birth date; 1995 takes it from the identifier
    d->start->click();
    QTRY_VERIFY(!d->running());
    QTRY_COMPARE(d->results->rowCount(), 2);
  }

  void personsCardsAndSummaryFromTheDialog() {
    unsetenv("DOSBER_NO_VIEWER");
    loadedwindow l(archive->path());
    QVERIFY(QTest::qWaitForWindowExposed(l.w.get()));
    searchdialog* d = l.w->opensearch();
    d->pattern->setText("kovács");
    d->start->click();
    QTRY_VERIFY(!d->running());
    QTRY_COMPARE(d->results->rowCount(), 1);
    QVERIFY(!d->personcards->isEnabled());
    d->results->selectRow(0);
    QVERIFY(d->personcards->isEnabled() && d->summary->isEnabled());
    d->personcards->click();
    std::string cards = cardoutputpath("osszes_karton.pdf");
    QVERIFY(std::filesystem::exists(cards));
    QVERIFY(pdftext(cards).find("Kovács Anna jogviszony és fizetési adatai - 1995") != std::string::npos);
    QVERIFY(l.r.opened.last().startsWith(QString::fromStdString(cards)));
    // The broken company of 1995 is skipped by the walk and said.
    QCOMPARE(l.r.warnings.size(), 1);
    QVERIFY(l.r.warnings[0].contains("Kihagyva"));
    QVERIFY(l.r.warnings[0].contains("Beta"));
    d->summary->click();
    QVERIFY(std::filesystem::exists(summarypdfpath()));
    QVERIFY(pdftext(summarypdfpath()).find("Kovács Anna kereseti összesítője") != std::string::npos);
    QCOMPARE(l.w->lastcard(), QString::fromStdString(summarypdfpath()));
  }

  void exportWritesTheRowsTheGridShows() {
    loadedwindow l(archive->path());
    tempfolder out;
    l.r.savename = QString::fromStdString(out / "alfa.csv");
    l.w->Edit1->setText("o");  // Kovács Anna, Tóth Éva
    l.w->ExportButton->click();
    QCOMPARE(QString::fromStdString(lastcomponent(s(l.r.proposals[0]))), QString("1995 alfa.csv"));
    std::ifstream in(out / "alfa.csv", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    auto cli = capture(std::string(DOSBER_CLI) + " employees '" + archive->path() + "/ber95/Alfa' --csv --filter o");
    QCOMPARE(QString::fromStdString(text), QString::fromStdString(cli.out));
    QCOMPARE(std::count(text.begin(), text.end(), '\n'), 3L);
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
