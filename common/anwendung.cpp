#include "anwendung.h"

#include "common/zahlen.h"

namespace pv {

std::unique_ptr<QApplication> anwendungErstellen(int& argc, char** argv) {
  auto anwendung = std::make_unique<QApplication>(argc, argv);
  cZahlenFestlegen();
  return anwendung;
}

}  // namespace pv
