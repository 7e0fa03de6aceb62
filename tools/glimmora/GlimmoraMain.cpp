#include "tools/glimmora/Glimmora.h"

#include <iostream>

int main(int argc, char** argv) {
  return RunGlimmora(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
