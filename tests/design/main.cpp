#include <QApplication>

#include "testsupport.h"

KWP_WIDGETS_TEST_MAIN()
