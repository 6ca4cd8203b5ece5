// The Windows test program. Started with "--child=MODE" it plays a child
// process for the process and pipe tests instead of running the tests.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv) {
  for (int I = 1; I < argc; ++I)
    if (std::strncmp(argv[I], "--child=", 8) == 0) return RunChildMode(argv[I] + 8);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
