// The C++ client tests of the control under Wine.
//   pelikar_com_tests [GOOGLETEST OPTIONS] PATH\TO\Pelikar.ocx
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "dispatch_client.h"

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fputs("usage: pelikar_com_tests [GOOGLETEST OPTIONS] PATH\\TO\\Pelikar.ocx\n", stderr);
    return 2;
  }
  pelikar::com_tests::OcxPath() = argv[1];
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
  const int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
