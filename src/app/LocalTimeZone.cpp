#include "app/LocalTimeZone.h"

#include <QFile>
#include <QtGlobal>

namespace app {

void readLocalTimeZoneOnce() {
    static const char* const zoneFile = "/etc/localtime";
    if (qEnvironmentVariableIsSet("TZ") || !QFile::exists(QString::fromLatin1(zoneFile)))
        return;
    qputenv("TZ", QByteArray(":") + zoneFile);
}

} // namespace app
