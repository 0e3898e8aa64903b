#include <QGuiApplication>

#include "testsupport.h"

KWP_GUI_TEST_MAIN()
