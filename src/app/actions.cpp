// What the window offers beyond the specified controls: the menus, a window
// that grows, the status line, saving a copy of the card, export, another
// data folder, every card of a person, the keyboard of the grid.
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>

#include <fstream>
#include <sstream>

#include "app/background.h"
#include "app/mainwindow.h"
#include "app/units.h"
#include "archive/archive.h"
#include "base/errors.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/settings.h"
#include "report/export.h"
#include "report/pdflist.h"
#include "report/personcards.h"
#include "report/summary.h"
#include "report/summaryreport.h"
#include "report/wagecard.h"

namespace dosber {
namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& q) { return q.toStdString(); }

// Characters that cannot stand in a file name become "_".
std::string filename(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 32 || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
      c = '_';
  return text;
}

}  // namespace

void TForm1::buildmenus() {
  QMenu* file = menuBar()->addMenu("&Fájl");
  file->addAction("Adatkönyvtár…", QKeySequence::Open, this, [this] { choosedatafolder(); });
  file->addAction("Keresés a teljes archívumban…", QKeySequence::Find, this, [this] { opensearch(); });
  file->addSeparator();
  file->addAction("Karton mentése…", QKeySequence::Save, this, [this] { savecardas(); });
  file->addAction("Exportálás…", QKeySequence(Qt::CTRL | Qt::Key_E), this, [this] { exportrows(); });
  PreviewAction = file->addAction("Beépített előnézet");
  PreviewAction->setCheckable(true);
  PreviewAction->setToolTip("Minden PDF a program saját előnézetében nyílik meg");
  file->addSeparator();
  file->addAction("Kilépés", QKeySequence::Quit, this, [this] { close(); });
  QMenu* person = menuBar()->addMenu("&Személy");
  person->addAction("Összes karton", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K), this, [this] {
    if (employees_.active() && !employees_.empty()) personcards(employees_.text("azon"));
  });
  person->addAction("Kereseti összesítő", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), this, [this] {
    if (employees_.active() && !employees_.empty()) personsummary(employees_.text("azon"));
  });
  QMenu* help = menuBar()->addMenu("Sú&gó");
  help->addAction("Névjegy", QKeySequence(Qt::Key_F1), this, [this] { showabout(); });
}

void TForm1::placecontrols() {
  QWidget* client = centralWidget();
  int dx = std::max(0, client->width() - client->minimumWidth());
  int dy = std::max(0, client->height() - client->minimumHeight());
  DBGrid1->setGeometry(box(8, 88, 648, 496).adjusted(0, 0, dx, dy));
  Panel1->setGeometry(box(688, 88, 528, 579).translated(dx, 0).adjusted(0, 0, 0, dy));
  Label1->move(px(32), px(608) + dy);
  Edit1->move(px(152), px(600) + dy);
  Button1->move(px(520), px(597) + dy);
  TrackBar1->setGeometry(box(32, 641, 648, 31).translated(0, dy).adjusted(0, 0, dx, 0));
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
  if (watched == centralWidget() && e->type() == QEvent::Resize) {
    placecontrols();
  } else if (watched == DBGrid1 && e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    int last = static_cast<int>(employees_.active() ? employees_.visiblecount() : 0) - 1;
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        Button1Click();
        return true;
      case Qt::Key_Home:
        selectrow(0);
        return true;
      case Qt::Key_End:
        selectrow(last);
        return true;
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, e);
}

void TForm1::gridmenu(const QPoint& at) {
  QModelIndex index = DBGrid1->indexAt(at);
  if (index.isValid()) selectrow(index.row());
  bool row = employees_.active() && !employees_.empty();
  QMenu menu(this);
  menu.addAction("Karton", this, [this] { Button1Click(); })->setEnabled(row);
  menu.addAction("Mentés…", this, [this] { savecardas(); })->setEnabled(row);
  menu.addSeparator();
  menu.addAction("Összes karton", this, [this] { personcards(employees_.text("azon")); })->setEnabled(row);
  menu.addAction("Kereseti összesítő", this, [this] { personsummary(employees_.text("azon")); })->setEnabled(row);
  menu.exec(DBGrid1->viewport()->mapToGlobal(at));
}

void TForm1::writeoutput(tpdflist& document, const std::string& path, const std::string& proposedname) {
  document.onmessage = [this](const std::string& m) { desk_.warning(this, q(m)); };
  document.onshow = [this](const std::string& file, bool defaultviewer) {
    return desk_.openpdf(q(file), defaultviewer);
  };
  document.savetofile(path);
  if (!document.saved) return;
  noteoutput(path);
  if (PreviewAction->isChecked() && showpreview(path, proposedname)) return;
  if (document.showfile(CheckBox1->isChecked())) return;
  // No viewer could be started: the program's own preview, and the path in
  // the status line; a message only where even the preview cannot show it.
  if (showpreview(path, proposedname)) {
    StatusCard->setText("A PDF-olvasó nem indult el, az előnézet mutatja: " + q(path));
    return;
  }
  QString text = "A fájl elkészült, de a PDF-olvasó nem indítható el.\nA fájl: " + q(path);
  if (desk_.offer(this, text, "Mappa megnyitása")) desk_.openfolder(q(parentpath(path)));
}

previewwindow* TForm1::showpreview(const std::string& path, const std::string& proposedname) {
  auto* preview = findChild<previewwindow*>();
  if (!preview) {
    previewwindow::owneractions actions;
    actions.saveas = [this](const QString& file, const QString& proposed) { savecopy(s(file), s(proposed)); };
    actions.openexternal = [this](const QString& file) {
      if (!desk_.openpdf(file, CheckBox1->isChecked()))
        desk_.warning(findChild<previewwindow*>(), "A PDF-olvasó nem indítható el.\nA fájl: " + file);
    };
    preview = new previewwindow(this, desk_, actions);
  }
  if (!preview->open(q(path), q(proposedname))) return nullptr;
  preview->show();
  preview->raise();
  preview->activateWindow();
  return preview;
}

void TForm1::noteoutput(const std::string& path) {
  lastcard_ = path;
  updatestatus();
}

std::string TForm1::choosesavepath(const std::string& proposedname, const QString& title, const QString& filter) {
  std::string folder = savefolder_.empty() ? parentpath(cardpdfpath()) : savefolder_;
  QString chosen = desk_.savefilename(this, title, q(joinpath(folder, filename(proposedname))), filter);
  if (chosen.isEmpty()) return {};
  // The extension of the proposed name is added when the user left it out.
  std::string extension = proposedname.substr(std::min(proposedname.size(), proposedname.rfind('.')));
  if (!extension.empty() && !chosen.endsWith(q(extension), Qt::CaseInsensitive)) chosen += q(extension);
  return s(chosen);
}

void TForm1::savecopy(const std::string& from, const std::string& proposedname) {
  std::string path = choosesavepath(proposedname, "Mentés", "PDF (*.pdf)");
  if (path.empty() || path == from) return;
  guarded([&] {
    std::ifstream in(from, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (!in.good() && !in.eof()) throw failure("A fájl nem olvasható", from);
    if (!ensurefolder(path)) throw failure("A fájl könyvtára nem hozható létre", path);
    savefile(path, bytes);
    savefolder_ = parentpath(path);
    noteoutput(path);
  });
}

void TForm1::updatestatus() {
  QString text;
  switch (note_) {
    case note::noyears:
      text = "Az adatkönyvtárban nincs évkönyvtár (ber92 … ber05): " + q(notefolder_) + ". ";
      break;
    case note::yearchosen:
      text = "Választott év: " + q(notefolder_) + " – válasszon céget. ";
      break;
    case note::loadfailed:
      text = "A betöltés nem sikerült: " + q(notefolder_) + ". ";
      break;
    case note::none:
      break;
  }
  if (!loaded_) {
    text += "Nincs betöltött cég.";
  } else {
    text += note_ == note::none || note_ == note::loadfailed ? "Betöltve: " : "A táblázatban: ";
    text += q(state_.yeartext) + ", " + q(state_.companyname) + " (" + q(lastcomponent(state_.companyfolder)) + "), ";
    size_t rows = employees_.rowcount();
    if (employees_.filtered())
      text += QString("%1 / %2 jogviszony (szűrve)").arg(employees_.visiblecount()).arg(rows);
    else
      text += QString("%1 jogviszony").arg(rows);
  }
  StatusInfo->setText(text);
  StatusCard->setText(lastcard_.empty() ? QString() : "Utolsó fájl: " + q(lastcard_));
}

std::string TForm1::cardfilename() const {
  return employees_.text("nev") + " " + state_.yeartext + " " + employees_.text("bdatum") + ".pdf";
}

std::string TForm1::personname(const std::string& azon) const {
  bool current = employees_.active() && !employees_.empty() && employees_.text("azon") == azon;
  return current ? employees_.text("nev") : azon;
}

void TForm1::savecardas() {
  if (!employees_.active() || employees_.empty()) {
    desk_.warning(this, "Nem adta meg az adatok helyét!");
    return;
  }
  std::string path = choosesavepath(cardfilename(), "A karton mentése", "PDF (*.pdf)");
  if (path.empty()) return;
  guarded([&] {
    loadcarddata(state_, employees_, &progress_);
    progress_.setposition(0);
    std::unique_ptr<tpdflist> card = layoutwagecard(state_, employees_, &progress_);
    card->onmessage = [this](const std::string& m) { desk_.warning(this, q(m)); };
    card->savetofile(path);
    if (card->saved) {
      savefolder_ = parentpath(path);
      noteoutput(path);
    }
  });
  progress_.setposition(0);
}

void TForm1::exportrows() {
  if (!employees_.active()) {
    desk_.warning(this, "Nem adta meg az adatok helyét!");
    return;
  }
  std::string proposed = state_.yeartext + " " + lastcomponent(state_.companyfolder) + ".csv";
  std::string path = choosesavepath(proposed, "Exportálás CSV fájlba", "CSV (*.csv)");
  if (path.empty()) return;
  guarded([&] {
    std::ostringstream out;
    writecsv(out, employees_);
    if (!ensurefolder(path)) throw failure("A fájl könyvtára nem hozható létre", path);
    savefile(path, out.str());
    savefolder_ = parentpath(path);
    noteoutput(path);
  });
}

void TForm1::choosedatafolder() {
  QString chosen = desk_.choosefolder(this, "Adatkönyvtár", q(datafolder_));
  if (chosen.isEmpty()) return;
  datafolder_ = s(chosen);
  delete findChild<searchdialog*>();  // it searched the old folder
  {
    QSignalBlocker block(ComboBox2);
    ComboBox2->clear();
  }
  fillyears();
  ComboBox1->setFocus();
}

void TForm1::personcards(const std::string& azon, QWidget* parent) {
  if (azon.empty()) return;
  std::string folder = datafolder_;
  guarded([&] {
    std::function<personcardsresult(const workcallbacks&)> work = [&](const workcallbacks& cb) {
      return layoutpersoncards(folder, azon, cb);
    };
    std::optional<personcardsresult> r =
        runinbackground(parent ? parent : this, "A személy kartonjai készülnek…", work);
    if (!r) return;  // cancelled
    QWidget* owner = parent ? parent : this;
    if (!r->document) {
      desk_.warning(owner, "Ennek a személynek nincs jogviszonya az archívumban: " + q(azon));
      return;
    }
    if (!r->skipped.empty()) {
      QString text = QString("%1 karton készült. Kihagyva:").arg(r->cards);
      for (const skippedfolder& k : r->skipped) text += "\n" + q(k.folder) + ": " + q(k.message);
      desk_.warning(owner, text);
    }
    writeoutput(*r->document, cardoutputpath("osszes_karton.pdf"), personname(azon) + " összes karton.pdf");
  });
}

void TForm1::personsummary(const std::string& azon, QWidget* parent) {
  if (azon.empty()) return;
  std::string folder = datafolder_;
  QWidget* owner = parent ? parent : this;
  guarded([&] {
    std::function<earningssummary(const workcallbacks&)> work = [&](const workcallbacks& cb) {
      return summarize(folder, azon, cb);
    };
    std::optional<earningssummary> r = runinbackground(owner, "A kereseti összesítő készül…", work);
    if (!r || r->cancelled) return;
    if (!r->found) {
      desk_.warning(owner, "Ennek a személynek nincs jogviszonya az archívumban: " + q(azon));
      return;
    }
    writeoutput(*layoutsummary(*r), summarypdfpath(), r->nev + " kereseti összesítő.pdf");
  });
}

}  // namespace dosber
