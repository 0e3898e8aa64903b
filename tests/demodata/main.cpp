#include "testsupport.h"

KWP_TEST_MAIN()
