#include <cstdio>

int main() {
  std::puts("Tavrel - Configurator KP31A08: the main window is not part of this build.");
  return 0;
}
