#include "app/mainwindow.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

#include "app/aboutdialog.h"
#include "app/units.h"
#include "archive/archive.h"
#include "base/errors.h"
#include "base/paths.h"
#include "base/settings.h"
#include "base/text.h"
#include "report/pdflist.h"
#include "report/wagecard.h"
#include "table/employeetable.h"

namespace dosber {
namespace {


QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& q) { return q.toStdString(); }

struct detailrow {
  const char* caption;
  int captiontop;
  const char* field;
  int valuetop;
};
constexpr detailrow detailrows[] = {
    {"Lánynév", 24, "lanynev", 24},         {"Anyja neve", 48, "anyanev", 47},
    {"Alk.min", 71, "alkminnev", 71},       {"Munkakör", 95, "munkakor", 95},
    {"Napi óra", 119, "ridon", 120},        {"Havi óra", 144, "ridoh", 144},
    {"Adóazonosító", 167, "adoazon", 167},  {"TAJ szám", 191, "taj", 192},
    {"Mnyp. kezdete", 216, "mnypkezd", 217}, {"Mnyp. vége", 240, "mnypbef", 240},
    {"Arcivált", 264, "archiv", 264},       {"Havibér", 288, "haviber", 287},
    {"Órabér", 312, "oraber", 312},         {"FEOR", 336, "feor", 336},
};
constexpr const char* months[] = {"Január", "Február", "Március",    "Április", "Május",    "Június",
                                  "Július", "Augusztus", "Szeptember", "Október", "November", "December"};

}  // namespace

void trackbarprogress::setmaximum(int v) { bar_->setMaximum(v); }
void trackbarprogress::setminimum(int v) { bar_->setMinimum(v); }
int trackbarprogress::position() const { return bar_->value(); }
void trackbarprogress::setposition(int v) {
  // The readers set minimum 1 and position 0: the bar returns to its start.
  if (v < bar_->minimum()) bar_->setMinimum(v);
  bar_->setValue(v);
  // The load runs inside its handler; repaint now and then so the bar moves.
  qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (now - lastpaint_ >= 40 || v == 0 || v == bar_->maximum()) {
    lastpaint_ = now;
    if (bar_->isVisible()) bar_->repaint();
  }
}

TForm1::TForm1(archivestate& state, desktop& desk, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), state_(state), desk_(desk), employees_(makeemployeetable()), progress_(nullptr) {
  buildlayout();
  progress_ = trackbarprogress(TrackBar1);
  FormCreate(arguments);
}

TForm1::~TForm1() = default;

void TForm1::buildlayout() {
  setWindowTitle("1992-2005 közti bérek lekérdezése (DOS)");
  // The condensed DejaVu face beside the program keeps the captions within
  // the widths the layout gives them; the size is 10 points.
  QFont f = font();
  for (const char* file : {"dejavusanscondensed.ttf", "dejavusanscondensed-bold.ttf"}) {
    int id = QFontDatabase::addApplicationFont(QString::fromStdString(joinpath(fontfolder(), file)));
    if (id >= 0 && !QFontDatabase::applicationFontFamilies(id).isEmpty())
      f.setFamily(QFontDatabase::applicationFontFamilies(id).first());
  }
  f.setStretch(QFont::SemiCondensed);
  f.setPointSize(10);
  setFont(f);
  auto* client = new QWidget(this);
  setCentralWidget(client);
  // The specified geometry is the start-up size and the smallest one; the
  // grid and the detail panel take what the window grows by.
  client->setMinimumSize(px(1248), px(685));
  client->resize(px(1248), px(685));
  client->installEventFilter(this);

  ComboBox1 = new QComboBox(client);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setGeometry(box(80, 32, 208, 28));
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);

  ComboBox2 = new QComboBox(client);
  ComboBox2->setObjectName("ComboBox2");
  ComboBox2->setGeometry(box(360, 32, 213, 28));
  ComboBox2->setEditable(true);
  ComboBox2->setInsertPolicy(QComboBox::NoInsert);
  ComboBox2->setEditText("Válassza ki a céget!");

  CheckBox1 = new QCheckBox("Az alapértelezett PDF-olvasó használata", client);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->setGeometry(box(688, 36, 290, 24));
  CheckBox1->setLayoutDirection(Qt::RightToLeft);  // caption left of the box
  CheckBox1->setFocusPolicy(Qt::ClickFocus);

  DBGrid1 = new QTableView(client);
  DBGrid1->setObjectName("DBGrid1");
  DBGrid1->setGeometry(box(8, 88, 648, 496));
  model_ = new employeemodel(employees_, this);
  DBGrid1->setModel(model_);
  DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  DBGrid1->setTabKeyNavigation(false);
  DBGrid1->setShowGrid(true);
  DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // Room the window grows by goes to the last column rather than staying blank.
  DBGrid1->horizontalHeader()->setStretchLastSection(true);
  DBGrid1->verticalHeader()->setDefaultSectionSize(px(24));
  DBGrid1->verticalHeader()->setFixedWidth(px(14));
  connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) employees_.moveto(static_cast<size_t>(current.row()));
            showcurrent();
          });
  connect(DBGrid1, &QTableView::doubleClicked, this, [this] { DBGrid1DblClick(); });

  Panel1 = new QFrame(client);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(box(688, 88, 528, 579));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setLineWidth(px(4));
  for (const auto& r : detailrows) {
    auto* caption = new QLabel(r.caption, Panel1);
    caption->setGeometry(box(24, r.captiontop, 120, 20));
    auto* value = new QLabel(Panel1);
    value->setObjectName(QString("value_") + r.field);
    value->setGeometry(box(160, r.valuetop, 360, 20));
    details_.push_back({r.field, value});
  }
  Panel2 = new QFrame(Panel1);
  Panel2->setObjectName("Panel2");
  Panel2->setGeometry(box(8, 377, 504, 35));
  Panel2->setFrameStyle(QFrame::Box | QFrame::Plain);
  auto* eho = new QLabel("EHO", Panel2);
  eho->setGeometry(0, 0, px(504), px(35));
  eho->setAlignment(Qt::AlignCenter);
  for (int m = 0; m < 12; ++m) {
    bool right = m >= 6;
    int top = (right ? 425 : 426) + 24 * (m % 6);
    auto* caption = new QLabel(months[m], Panel1);
    caption->setGeometry(box(right ? 296 : 24, top, 120, 20));
    auto* value = new QLabel(Panel1);
    std::string field = "eho" + std::to_string(m + 1);
    value->setObjectName(q("value_" + field));
    value->setGeometry(box(right ? 432 : 160, top, 80, 20));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    details_.push_back({field, value});
  }

  Label1 = new QLabel("Keresés (minta)", client);
  Label1->setGeometry(box(32, 608, 102, 20));
  Edit1 = new QLineEdit(client);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(box(152, 600, 296, 28));
  connect(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); });

  Button1 = new QPushButton("&Karton", client);  // Alt+K
  Button1->setObjectName("Button1");
  Button1->setGeometry(box(520, 597, 94, 31));
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

  TrackBar1 = new QSlider(Qt::Horizontal, client);
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setGeometry(box(32, 641, 648, 31));
  TrackBar1->setRange(0, 1);
  TrackBar1->setValue(0);
  TrackBar1->setFocusPolicy(Qt::NoFocus);
  TrackBar1->setAttribute(Qt::WA_TransparentForMouseEvents);

  SearchButton = new QPushButton("Keresés…", client);
  SearchButton->setObjectName("SearchButton");
  SearchButton->setGeometry(box(584, 32, 96, 28));
  SearchButton->setToolTip("Keresés a teljes archívumban (Ctrl+F)");
  SearchButton->setFocusPolicy(Qt::ClickFocus);
  connect(SearchButton, &QPushButton::clicked, this, [this] { opensearch(); });

  SaveButton = new QPushButton("Mentés…", client);
  SaveButton->setObjectName("SaveButton");
  SaveButton->setToolTip("A kijelölt jogviszony kartonjának mentése választott néven (Ctrl+S)");
  SaveButton->setFocusPolicy(Qt::ClickFocus);
  connect(SaveButton, &QPushButton::clicked, this, [this] { savecardas(); });
  ExportButton = new QPushButton("Exportálás…", client);
  ExportButton->setObjectName("ExportButton");
  ExportButton->setToolTip("A táblázat látható sorai CSV fájlba (Ctrl+E)");
  ExportButton->setFocusPolicy(Qt::ClickFocus);
  connect(ExportButton, &QPushButton::clicked, this, [this] { exportrows(); });

  DBGrid1->installEventFilter(this);
  DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) { gridmenu(at); });

  StatusInfo = new QLabel(this);
  StatusInfo->setObjectName("StatusInfo");
  StatusCard = new QLabel(this);
  StatusCard->setObjectName("StatusCard");
  StatusCard->setTextInteractionFlags(Qt::TextSelectableByMouse);
  statusBar()->addWidget(StatusInfo, 1);
  statusBar()->addPermanentWidget(StatusCard);
  buildmenus();

  setTabOrder(DBGrid1, Edit1);
  setTabOrder(Edit1, Button1);
  setTabOrder(Button1, ComboBox1);
  setTabOrder(ComboBox1, ComboBox2);

  connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
  connect(ComboBox2, &QComboBox::currentIndexChanged, this, [this] { ComboBox2Change(); });

  // Captions keep their place but grow to their text where the system's
  // font is wider than the one the layout was made for.
  for (QWidget* w : std::initializer_list<QWidget*>{CheckBox1, Label1}) {
    QSize hint = w->sizeHint();
    if (hint.width() > w->width()) w->resize(hint.width(), w->height());
  }
  // The added buttons stand in the free room right of the check box.
  int x = CheckBox1->geometry().right() + px(16);
  for (QPushButton* b : {SaveButton, ExportButton}) {
    b->setGeometry(x, px(32), b->sizeHint().width(), px(28));
    x += b->width() + px(8);
  }
  placecontrols();

  adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

bool TForm1::guarded(const std::function<void()>& f) {
  try {
    f();
    return true;
  } catch (const std::exception& e) {
    desk_.error(this, QString::fromStdString(describe(e)));
    return false;
  }
}

void TForm1::FormCreate(const QStringList& arguments) {
  programfolder_ = programfolder();
  settings st = readsettings(settingspath(), programfolder_);
  CheckBox1->setChecked(st.defaultreader);
  if (!arguments.isEmpty() && !arguments.first().isEmpty())
    datafolder_ = s(arguments.first());
  else
    datafolder_ = parentpath(programfolder_);
  savefolder_ = st.savefolder;
  PreviewAction->setChecked(st.preview);
  fillyears();
}

void TForm1::fillyears() {
  QSignalBlocker block(ComboBox1);
  ComboBox1->clear();
  std::vector<std::string> years = yearfolders(datafolder_);
  for (const auto& name : years) ComboBox1->addItem(q(name));
  ComboBox1->insertItem(0, "Válassza ki az évet!");
  ComboBox1->setCurrentIndex(0);
  note_ = years.empty() ? note::noyears : note::none;
  notefolder_ = datafolder_;
  updatestatus();
}

void TForm1::ComboBox1Change() {
  int index = ComboBox1->currentIndex();
  if (index <= 0) return;
  guarded([&] {
    yearfolder_ = joinpath(datafolder_, s(ComboBox1->currentText()));
    QSignalBlocker block(ComboBox2);
    ComboBox2->clear();
    for (const auto& name : companyfolders(yearfolder_)) ComboBox2->addItem(q(name));
    ComboBox2->insertItem(0, "Válassza ki a céget!");
    ComboBox2->setCurrentIndex(0);
  });
  note_ = note::yearchosen;
  notefolder_ = s(ComboBox1->currentText());
  updatestatus();
}

void TForm1::ComboBox2Change() {
  int index = ComboBox2->currentIndex();
  if (index <= 0) return;
  std::string company = s(ComboBox2->itemText(index));
  bool suspended = false;
  bool ok = guarded([&] {
    std::optional<std::string> folder = companypath(yearfolder_, company);
    if (!folder) {
      desk_.warning(this, not_a_company);
      return;
    }
    model_->suspend();
    suspended = true;
    loadcompanyfolder(state_, employees_, yearfolder_, *folder, &progress_, &datafolder_);
  });
  if (!suspended) return;
  loaded_ = true;
  note_ = ok ? note::none : note::loadfailed;
  notefolder_ = joinpath(lastcomponent(yearfolder_), company);
  model_->resume();
  fitcolumns();
  if (employees_.active() && !employees_.empty()) selectrow(0);
  showcurrent();
  updatestatus();
  DBGrid1->setFocus();
}

void TForm1::fitcolumns() {
  // As resizeColumnsToContents, which measures every row: the header and the
  // rows whose texts are estimated widest, measured by the grid itself.
  QFontMetrics metrics(DBGrid1->font());
  for (int c = 0; c < model_->columnCount(); ++c) {
    int width = DBGrid1->horizontalHeader()->sectionSizeHint(c);
    for (int row : model_->widestrows(c, metrics, 16))
      width = std::max(width, DBGrid1->sizeHintForIndex(model_->index(row, c)).width() + (DBGrid1->showGrid() ? 1 : 0));
    DBGrid1->setColumnWidth(c, width);
  }
}

void TForm1::Edit1Change() {
  if (employees_.rowcount() == 0) return;
  model_->suspend();
  guarded([&] {
    employees_.clearfilter();
    std::string text = s(Edit1->text());
    if (!text.empty()) filterbyname(employees_, trimcontrol(text));
  });
  model_->resume();
  if (!employees_.empty()) selectrow(0);
  showcurrent();
  updatestatus();
}

void TForm1::selectrow(int position) {
  if (position < 0 || static_cast<size_t>(position) >= employees_.visiblecount()) return;
  employees_.moveto(static_cast<size_t>(position));
  DBGrid1->setCurrentIndex(model_->index(position, 0));
  showcurrent();
}

void TForm1::showcurrent() {
  long row = employees_.active() ? employees_.currentrow() : -1;
  for (auto& d : details_) {
    if (row < 0) {
      d.value->clear();
      continue;
    }
    d.value->setText(displaytext(employees_, static_cast<size_t>(row), employees_.fieldindex(d.field)));
  }
}

QString TForm1::detailtext(const QString& field) const {
  for (const auto& d : details_)
    if (q(d.field) == field) return d.value->text();
  return {};
}

void TForm1::Button1Click() {
  if (!employees_.active() || employees_.empty()) {
    desk_.warning(this, "Nem adta meg az adatok helyét!");
    ComboBox1->setFocus();
    return;
  }
  guarded([&] {
    loadcarddata(state_, employees_, &progress_);
    progress_.setposition(0);
    std::unique_ptr<tpdflist> card = layoutwagecard(state_, employees_, &progress_);
    writeoutput(*card, cardpdfpath(), cardfilename());
  });
  progress_.setposition(0);
  DBGrid1->setFocus();
}

void TForm1::DBGrid1DblClick() { Button1Click(); }

void TForm1::showabout() {
  auto* dialog = findChild<aboutdialog*>();
  if (!dialog) dialog = new aboutdialog(this);
  dialog->show();
  dialog->raise();
}

searchdialog* TForm1::opensearch() {
  auto* dialog = findChild<searchdialog*>();
  if (!dialog) {
    dialog = new searchdialog(datafolder_, this);
    connect(dialog, &searchdialog::chosen, this, [this, dialog](const foundemployment& e) {
      openemployment(e);
      dialog->hide();
    });
    connect(dialog, &searchdialog::personcardsrequested, this,
            [this, dialog](const foundemployment& e) { personcards(e.azon, dialog); });
    connect(dialog, &searchdialog::summaryrequested, this,
            [this, dialog](const foundemployment& e) { personsummary(e.azon, dialog); });
  }
  dialog->show();
  dialog->raise();
  dialog->pattern->setFocus();
  return dialog;
}

void TForm1::openemployment(const foundemployment& e) {
  // Chooses the item of a list; choosing the item already chosen runs its
  // handler again, as a fresh choice would.
  auto choose = [](QComboBox* box, const std::string& text, auto handler) {
    int i = box->findText(QString::fromStdString(text));
    if (i < 0) return false;
    if (box->currentIndex() != i)
      box->setCurrentIndex(i);
    else
      handler();
    return true;
  };
  if (!choose(ComboBox1, e.yearfolder, [this] { ComboBox1Change(); })) return;
  if (!choose(ComboBox2, e.companyfolder, [this] { ComboBox2Change(); })) return;
  if (employees_.active() && employees_.locate({"azon", "bdatum"}, {e.azon, e.bdatum})) {
    long position = employees_.positionof(static_cast<size_t>(employees_.currentrow()));
    if (position >= 0) selectrow(static_cast<int>(position));
  }
  activateWindow();
  DBGrid1->setFocus();
}

bool TForm1::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) DBGrid1->setFocus();
  return QMainWindow::event(e);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // The settings are written once, at close; a failed write is shown, and
  // the window closes all the same.
  guarded([&] { writesettings(settingspath(), settings{datafolder_, CheckBox1->isChecked(), savefolder_, PreviewAction->isChecked()}); });
  event->accept();
}

}  // namespace dosber
