#include <gtest/gtest.h>

#include "bridge_support.h"

namespace pelikar::unicode::test {
namespace {
}  // namespace
}  // namespace pelikar::unicode::test
