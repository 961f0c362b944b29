#include "app/programmlauf.h"

int main(int argc, char** argv) { return pv::programmLaufen(argc, argv); }
