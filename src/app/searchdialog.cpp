#include "app/searchdialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QVBoxLayout>

#include "base/format.h"
#include "base/text.h"

namespace dosber {
namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

searchdialog::searchdialog(std::string datafolder, QWidget* parent)
    : QDialog(parent), datafolder_(std::move(datafolder)) {
  setWindowTitle("Keresés a teljes archívumban");
  resize(900, 480);
  pattern = new QLineEdit(this);
  pattern->setObjectName("pattern");
  pattern->setPlaceholderText("Név (részlet)");
  born = new QLineEdit(this);
  born->setObjectName("born");
  born->setPlaceholderText("Születési idő: ÉÉÉÉ.HH.NN");
  born->setToolTip("Például 1961.01.05, 1961-01-05, 1961.1.5 vagy 19610105");
  pattern->setToolTip("Névrészlet; kis- és nagybetű, ékezet nem számít");
  born->setInputMask("");
  start = new QPushButton("Keresés", this);
  start->setDefault(true);
  cancel = new QPushButton("Mégse", this);
  results = new QTableWidget(0, 9, this);
  results->setHorizontalHeaderLabels({"Év", "Cég", "Cégnév", "Név", "Születési idő", "Belépett", "Kilépett",
                                      "Állománycsoport", "Fogl.tipus"});
  results->setEditTriggers(QAbstractItemView::NoEditTriggers);
  results->setSelectionBehavior(QAbstractItemView::SelectRows);
  results->setSelectionMode(QAbstractItemView::SingleSelection);
  results->verticalHeader()->setVisible(false);
  personcards = new QPushButton("Összes karton", this);
  personcards->setObjectName("personcards");
  personcards->setToolTip("A kijelölt személy összes kartonja a teljes archívumból, egy PDF-ben");
  personcards->setEnabled(false);
  summary = new QPushButton("Kereseti összesítő", this);
  summary->setObjectName("summary");
  summary->setToolTip("A kijelölt személy éves keresetei a teljes archívumból, egy PDF-ben");
  summary->setEnabled(false);
  bar = new QProgressBar(this);
  bar->setRange(0, 1);
  bar->setValue(0);
  status = new QLabel(this);

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel("Minta:", this));
  top->addWidget(pattern, 2);
  top->addWidget(born, 1);
  top->addWidget(start);
  top->addWidget(cancel);
  auto* actions = new QHBoxLayout;
  actions->addWidget(new QLabel("A kijelölt személy:", this));
  actions->addWidget(personcards);
  actions->addWidget(summary);
  actions->addStretch(1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(bar, 1);
  bottom->addWidget(status, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(results, 1);
  layout->addLayout(actions);
  layout->addLayout(bottom);

  connect(start, &QPushButton::clicked, this, [this] { startsearch(); });
  // Enter in the name or date box presses the default button, "Keresés".
  connect(cancel, &QPushButton::clicked, this, [this] {
    if (running())
      stop();
    else
      reject();
  });
  connect(results, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { choose(row); });
  connect(results, &QTableWidget::itemSelectionChanged, this, [this] {
    personcards->setEnabled(selected() != nullptr);
    summary->setEnabled(selected() != nullptr);
  });
  connect(summary, &QPushButton::clicked, this, [this] {
    if (const foundemployment* e = selected()) emit summaryrequested(*e);
  });
  connect(personcards, &QPushButton::clicked, this, [this] {
    if (const foundemployment* e = selected()) emit personcardsrequested(*e);
  });
  // Enter on a result opens it; the dialog's default button would search again.
  results->installEventFilter(this);
}

searchdialog::~searchdialog() { stop(); }

void searchdialog::stop() {
  if (cancelled_) cancelled_->store(true);
  if (worker_.joinable()) worker_.join();
  if (!finished_) status->setText("Megszakítva.");
  finished_ = true;
  start->setEnabled(true);
}

void searchdialog::addrows(const std::vector<foundemployment>& rows) {
  for (const auto& e : rows) {
    int r = results->rowCount();
    results->insertRow(r);
    QStringList cells{q(e.year), q(e.companyfolder), q(e.companyname), q(e.nev), q(e.szulido),
                      q(e.bdatum), q(e.kdatum), q(e.jogvnev1) + (e.archived ? " (arch.)" : ""), q(e.jogvnev2)};
    for (int c = 0; c < cells.size(); ++c) results->setItem(r, c, new QTableWidgetItem(cells[c]));
  }
}

void searchdialog::startsearch() {
  stop();
  searchquery query{std::string(trimcontrol(pattern->text().toStdString())),
                    std::string(trimcontrol(born->text().toStdString())), {}};
  results->setRowCount(0);
  found_.clear();
  personcards->setEnabled(false);
  summary->setEnabled(false);
  if (query.name.empty() && query.born.empty()) {
    status->setText("Adjon meg egy névrészletet vagy születési időt!");
    return;
  }
  if (!query.born.empty()) {
    std::optional<std::string> date = readdate(query.born);
    if (!date) {
      status->setText(QString::fromStdString(unreadabledate(query.born)));
      born->setFocus();
      return;
    }
    query.born = *date;
  }
  finished_ = false;
  start->setEnabled(false);
  status->setText("Keresés...");
  bar->setRange(0, 1);
  bar->setValue(0);
  unsigned generation = ++generation_;
  cancelled_ = std::make_shared<std::atomic<bool>>(false);
  auto cancelled = cancelled_;
  QPointer<searchdialog> self(this);
  std::string folder = datafolder_;
  worker_ = std::thread([=, this] {
    searchcallbacks cb;
    cb.cancel = cancelled.get();
    // Results and progress reach the dialog on its own thread.
    cb.found = [=, this](const std::vector<foundemployment>& rows) {
      QMetaObject::invokeMethod(self, [=, this] {
        if (self && generation == generation_ && !cancelled->load()) addrows(rows);
      }, Qt::QueuedConnection);
    };
    cb.progress = [=, this](int done, int total) {
      QMetaObject::invokeMethod(self, [=, this] {
        if (!self || generation != generation_) return;
        bar->setRange(0, total);
        bar->setValue(done);
      }, Qt::QueuedConnection);
    };
    searchresult r = findemployments(folder, query, cb);
    QMetaObject::invokeMethod(self, [=, this] {
      if (self && generation == generation_ && !cancelled->load()) finish(r);
    }, Qt::QueuedConnection);
  });
}

void searchdialog::finish(const searchresult& result) {
  if (worker_.joinable()) worker_.join();
  finished_ = true;
  start->setEnabled(true);
  found_ = result.employments;
  results->setRowCount(0);
  addrows(found_);
  results->resizeColumnsToContents();
  QString text = QString("%1 jogviszony.").arg(found_.size());
  if (!result.skipped.empty()) {
    QStringList skipped;
    for (const auto& s : result.skipped) skipped << q(s.folder) + ": " + q(s.message);
    text += QString(" Kihagyva: %1").arg(skipped.join("; "));
  }
  status->setText(text);
  if (bar->maximum() == 0) bar->setRange(0, 1);
  bar->setValue(bar->maximum());
}

const foundemployment* searchdialog::selected() const {
  int row = results->currentRow();
  if (!finished_ || row < 0 || static_cast<size_t>(row) >= found_.size() || results->selectedItems().isEmpty())
    return nullptr;
  return &found_[row];
}

bool searchdialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == results && event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selected()) {
      choose(results->currentRow());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void searchdialog::choose(int row) {
  if (!finished_ || row < 0 || static_cast<size_t>(row) >= found_.size()) return;
  emit chosen(found_[row]);
}

}  // namespace dosber
