#include "app/MyComputer.h"

#include <QSysInfo>

#include "text/Gbk.h"

namespace zemra {

QString GetMyComputerName()
{
    return gbk::truncated(QSysInfo::machineHostName(), 64);
}

} // namespace zemra
