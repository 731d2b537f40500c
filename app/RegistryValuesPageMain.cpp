// Writes the page of the registry values Velocine changes to its standard
// output (scripts/registry-values.sh keeps it as docs/registry-values.md).
#include <iostream>

#include "app/RegistryValuesPage.h"

int main() {
  std::cout << velo::RegistryValuesPage();
  return std::cout ? 0 : 1;
}
