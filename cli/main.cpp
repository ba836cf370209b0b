// corvane-cli: computes a chart from birth details given as options, from a chart file or
// from a CSV batch, and prints it as a readable report or as JSON.
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return corvane::RunCli(argc, argv);
}
