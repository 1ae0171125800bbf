#include <QApplication>

#include <gmock/gmock.h>

// Widget tests need one QApplication for the whole run.
int main(int argc, char** argv) {
    testing::InitGoogleMock(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
