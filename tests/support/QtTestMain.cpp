#include "app/DialtopApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    DialtopApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
