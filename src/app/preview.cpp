#include "app/preview.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPdfDocumentRenderOptions>
#include <QPdfPageNavigator>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

namespace dosber {
namespace {
// Pages are rendered for the printer in bands of this many pixel rows, so a
// page at 1200 dots per inch needs no image of half a gigabyte.
constexpr int band_rows = 1024;
}  // namespace

previewwindow::previewwindow(QWidget* parent, desktop& desk, owneractions actions)
    : QWidget(parent, Qt::Window), desk_(desk), actions_(std::move(actions)) {
  setObjectName("preview");
  setWindowTitle("Karton előnézet");
  resize(900, 1000);
  view = new QPdfView(this);
  view->setDocument(&document_);
  view->setPageMode(QPdfView::PageMode::SinglePage);
  view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
  view->setFocusPolicy(Qt::StrongFocus);

  auto* previous = new QPushButton("◀", this);
  previous->setToolTip("Előző oldal (PgUp)");
  auto* next = new QPushButton("▶", this);
  next->setToolTip("Következő oldal (PgDn)");
  pagelabel = new QLabel(this);
  pagelabel->setObjectName("pagelabel");
  pagelabel->setMinimumWidth(60);
  pagelabel->setAlignment(Qt::AlignCenter);
  fitbutton = new QPushButton("Laphoz igazítva", this);
  fitbutton->setCheckable(true);
  fitbutton->setChecked(true);
  auto* smaller = new QPushButton("−", this);
  smaller->setToolTip("Kicsinyítés (Ctrl+−)");
  auto* larger = new QPushButton("+", this);
  larger->setToolTip("Nagyítás (Ctrl++)");
  printbutton = new QPushButton("Nyomtatás…", this);
  printbutton->setToolTip("Ctrl+P");
  savebutton = new QPushButton("Mentés…", this);
  savebutton->setToolTip("Ctrl+S");
  externalbutton = new QPushButton("Megnyitás külső programban", this);
  for (QPushButton* b : {previous, next, fitbutton, smaller, larger, printbutton, savebutton, externalbutton})
    b->setFocusPolicy(Qt::NoFocus);
  pathlabel = new QLabel(this);
  pathlabel->setObjectName("pathlabel");
  pathlabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* bar = new QHBoxLayout;
  bar->addWidget(previous);
  bar->addWidget(pagelabel);
  bar->addWidget(next);
  bar->addSpacing(12);
  bar->addWidget(fitbutton);
  bar->addWidget(smaller);
  bar->addWidget(larger);
  bar->addStretch(1);
  bar->addWidget(printbutton);
  bar->addWidget(savebutton);
  bar->addWidget(externalbutton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(view, 1);
  layout->addWidget(pathlabel);

  connect(previous, &QPushButton::clicked, this, [this] { gotopage(currentpage() - 1); });
  connect(next, &QPushButton::clicked, this, [this] { gotopage(currentpage() + 1); });
  connect(fitbutton, &QPushButton::toggled, this, [this](bool on) {
    if (on)
      view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    else
      zoom(1.0);
  });
  connect(smaller, &QPushButton::clicked, this, [this] { zoom(1 / 1.25); });
  connect(larger, &QPushButton::clicked, this, [this] { zoom(1.25); });
  connect(printbutton, &QPushButton::clicked, this, [this] { print(); });
  connect(savebutton, &QPushButton::clicked, this, [this] {
    if (actions_.saveas) actions_.saveas(file_, proposed_);
  });
  connect(externalbutton, &QPushButton::clicked, this, [this] {
    if (actions_.openexternal) actions_.openexternal(file_);
  });
  connect(view->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this, [this] { showcounter(); });

  auto key = [this](QKeySequence keys, auto f) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, f);
  };
  key(QKeySequence::Print, [this] { print(); });
  key(QKeySequence::Save, [this] { savebutton->click(); });
  key(QKeySequence(Qt::Key_Escape), [this] { close(); });
  key(QKeySequence(Qt::Key_PageUp), [this] { gotopage(currentpage() - 1); });
  key(QKeySequence(Qt::Key_PageDown), [this] { gotopage(currentpage() + 1); });
  key(QKeySequence(Qt::Key_Home), [this] { gotopage(0); });
  key(QKeySequence(Qt::Key_End), [this] { gotopage(pagecount() - 1); });
  key(QKeySequence::ZoomIn, [this] { zoom(1.25); });
  key(QKeySequence::ZoomOut, [this] { zoom(1 / 1.25); });
}

bool previewwindow::open(const QString& file, const QString& proposedname) {
  document_.close();
  if (document_.load(file) != QPdfDocument::Error::None || document_.pageCount() == 0) {
    file_.clear();
    pathlabel->clear();
    return false;
  }
  file_ = file;
  proposed_ = proposedname;
  pathlabel->setText("Fájl: " + file);
  view->pageNavigator()->jump(0, {}, view->pageNavigator()->currentZoom());
  showcounter();
  return true;
}

int previewwindow::currentpage() const { return view->pageNavigator()->currentPage(); }

void previewwindow::gotopage(int page) {
  if (page < 0 || page >= pagecount()) return;
  view->pageNavigator()->jump(page, {}, view->pageNavigator()->currentZoom());
  showcounter();
}

void previewwindow::showcounter() {
  pagelabel->setText(pagecount() ? QString("%1/%2").arg(currentpage() + 1).arg(pagecount()) : QString());
}

void previewwindow::zoom(double factor) {
  double now = view->zoomMode() == QPdfView::ZoomMode::Custom ? view->zoomFactor() : 1.0;
  {
    QSignalBlocker block(fitbutton);
    fitbutton->setChecked(false);
  }
  view->setZoomMode(QPdfView::ZoomMode::Custom);
  view->setZoomFactor(std::clamp(now * factor, 0.25, 8.0));
}

void previewwindow::print() {
  if (file_.isEmpty()) return;
  if (QPrinterInfo::availablePrinters().isEmpty())
    desk_.warning(this, "Nincs telepített nyomtató. A kartont PDF fájlba nyomtathatja (Nyomtatás fájlba), "
                        "vagy a Mentés… gombbal mentheti.");
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(windowTitle());
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle("Nyomtatás");
  dialog.setMinMax(1, pagecount());
  dialog.setOption(QAbstractPrintDialog::PrintPageRange);
  if (dialog.exec() != QDialog::Accepted) return;
  int from = printer.fromPage(), to = printer.toPage();
  if (from == 0) {
    from = 1;
    to = pagecount();
  }
  // Copies the printer cannot make itself are printed one after the other.
  int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
  for (int c = 0; c < copies; ++c)
    if (!printto(printer, from - 1, to - 1)) {
      desk_.warning(this, "A nyomtatás nem indítható el: " + printer.printerName());
      return;
    }
}

bool previewwindow::printto(QPrinter& printer, int from, int to) {
  from = std::max(from, 0);
  to = std::min(to, pagecount() - 1);
  if (from > to) return false;
  QPainter painter;
  for (int page = from; page <= to; ++page) {
    QSizeF points = document_.pagePointSize(page);
    printer.setPageOrientation(points.width() > points.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (page == from) {
      if (!painter.begin(&printer)) return false;
    } else if (!printer.newPage()) {
      return false;
    }
    // The page fills the printable area at the printer's resolution.
    QRect area = painter.viewport();
    double scale = std::min(area.width() / points.width(), area.height() / points.height());
    QSize size(qRound(points.width() * scale), qRound(points.height() * scale));
    for (int top = 0; top < size.height(); top += band_rows) {
      QRect band(0, top, size.width(), std::min(band_rows, size.height() - top));
      QPdfDocumentRenderOptions options;
      options.setScaledSize(size);
      options.setScaledClipRect(band);
      QImage image = document_.render(page, band.size(), options);
      painter.drawImage(band.topLeft(), image);
    }
  }
  painter.end();
  return true;
}

}  // namespace dosber
