#pragma once

#include <QApplication>
#include <memory>

namespace pv {

// The application object as the program and its tests make it: Qt takes
// the user's locale from the environment for the C library too, and the C
// library's numbers are then put back to "." (cZahlenFestlegen). `argc` and
// `argv` must outlive the object.
std::unique_ptr<QApplication> anwendungErstellen(int& argc, char** argv);

}  // namespace pv
