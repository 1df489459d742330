#include <gtest/gtest.h>
#include "engine/testmedia/MediaInspector.h"
#include "engine/testmedia/SampleMediaWriter.h"
TEST(TestMediaSelfTest, Placeholder) {}
