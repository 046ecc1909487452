#pragma once

namespace app {

// Every date a data source hands over becomes a date and time in the local time zone. With TZ
// unset, the C library looks at /etc/localtime again for each one, which costs more than
// writing the date out; naming that file in TZ has it read once, with the very same zone. A TZ
// already set is left as it is. Called first thing in main, before any date is made.
void readLocalTimeZoneOnce();

} // namespace app
