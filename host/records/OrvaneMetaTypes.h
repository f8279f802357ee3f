#pragma once

namespace orvane {
// Registers every platform record with Qt's meta-type system under its own name, so records
// travel through queued signals, properties and QVariant. Safe to call more than once.
void registerMetaTypes();
} // namespace orvane
