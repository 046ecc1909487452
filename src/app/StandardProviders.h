#pragma once

namespace app {

// Makes the providers the program connects through known by their names, and the look-up of
// the workbook driver; done once, before the first connection opens.
void registerStandardProviders();

} // namespace app
