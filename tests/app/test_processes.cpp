#include "tests/common/Testing.h"
class T : public QObject { Q_OBJECT };
TWK_TEST_MAIN(T)
#include "test_processes.moc"
