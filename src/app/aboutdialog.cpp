#include "app/aboutdialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/version.h"

namespace dosber {
namespace {

// A licence text built into the program: the same file the package ships.
QString resourcetext(const QString& name) {
  QFile f(":/licences/" + name);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

aboutdialog::aboutdialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Névjegy");
  setObjectName("aboutdialog");
  title = new QLabel("<b>dosber</b> – 1992-2005 közti bérek lekérdezése (DOS)", this);
  version = new QLabel(QString("Változat: ") + programversion, this);
  version->setObjectName("version");
  auto* summary = new QLabel(
      "A program az MIT-licenc alatt használható és terjeszthető. A vele szállított DejaVu Sans és "
      "DejaVu Sans Condensed betűkészletek (az ablak és a PDF-ek betűi) a Bitstream Vera-licenc alatt "
      "állnak; a DejaVu változtatásai közkincsek.",
      this);
  summary->setWordWrap(true);
  licences = new QPlainTextEdit(this);
  licences->setObjectName("licences");
  licences->setReadOnly(true);
  licences->setLineWrapMode(QPlainTextEdit::NoWrap);
  licences->setPlainText(resourcetext("LICENSE") + "\n\n" + resourcetext("packaging/dejavu-license.txt"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText("Bezárás");
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addWidget(version);
  layout->addWidget(summary);
  layout->addWidget(licences, 1);
  layout->addWidget(buttons);
  resize(640, 480);
}

}  // namespace dosber
