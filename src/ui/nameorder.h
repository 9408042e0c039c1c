#pragma once

#include <QStringList>

// The order in which the window lists names: the user's locale's (the
// Unicode default order for the C locale), without regard to case, and with
// runs of digits compared as numbers, so that "File2" comes before
// "file10". Names that differ only in case keep a fixed order among
// themselves.
namespace NameOrder {

void sort(QStringList &names);

} // namespace NameOrder
