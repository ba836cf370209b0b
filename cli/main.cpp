#include <cstdio>

int main() {
  std::puts("corvane-cli");
  return 0;
}
