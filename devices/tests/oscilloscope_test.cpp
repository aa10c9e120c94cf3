// Tests for this file are added with the device kinds they cover.
#include <gtest/gtest.h>
