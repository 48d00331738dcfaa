#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iostream>

#include "app/mainwindow.h"
#include "app/desktop.h"
#include "archive/archivestate.h"
#include "base/memory.h"
#include "base/version.h"

namespace {

constexpr const char* usage =
    "Használat: dosber [ADATKÖNYVTÁR]\n"
    "  ADATKÖNYVTÁR  a ber92 … ber05 évkönyvtárakat tartalmazó könyvtár\n"
    "                (nélküle a program könyvtára feletti könyvtár)\n"
    "  -h, --help    ez a leírás\n"
    "  --version     a program változata\n"
    "Parancssorból ugyanez: dosber-cli --help; részletesen: man dosber\n";

bool isoption(const char* arg, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (std::strcmp(arg, n) == 0) return true;
  return false;
}

// Without any display Qt aborts; say why instead.
bool hasdisplay([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#if defined(_WIN32) || defined(__APPLE__)
  return true;
#else
  for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* s = std::getenv(v); s && *s) return true;
  for (int i = 1; i < argc; ++i)
    if (isoption(argv[i], {"-platform", "--platform"})) return true;
  return false;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  dosber::usehugepageheap();
  // Answered before the toolkit starts, so that they need no display.
  if (argc > 1 && isoption(argv[1], {"--version"})) {
    std::cout << dosber::versionline << "\n";
    return 0;
  }
  if (argc > 1 && isoption(argv[1], {"-h", "--help"})) {
    std::cout << usage;
    return 0;
  }
  if (!hasdisplay(argc, argv)) {
    std::cerr << "Nincs kijelző (sem a DISPLAY, sem a WAYLAND_DISPLAY nincs beállítva): az ablak nem nyitható meg.\n";
    return 1;
  }
  QApplication app(argc, argv);
  app.setApplicationName("dosber");
  app.setApplicationVersion(dosber::programversion);
  app.setDesktopFileName(dosber::desktopid);
  // The shared lists and card tables exist before the window.
  dosber::archivestate state;
  dosber::systemdesktop desktop;
  QStringList arguments = app.arguments();
  arguments.removeFirst();
  dosber::TForm1 window(state, desktop, arguments);
  window.show();
  return app.exec();
}
