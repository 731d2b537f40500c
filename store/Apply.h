// What the wizard's Finish writes.
#pragma once

#include "registry/Registry.h"
#include "store/SettingsRecord.h"
#include "store/StoreOutcome.h"

namespace velo {

// Writes the record's New values, with the fixed ones, into the family's
// locations: first the modems' port speed when a boostable modem was found
// (modemFound 1), then the browser limits, the TCP/IP values and the MTU and
// MSS of the devices that carry the record's connection type (where none
// does, the outcome says the MTU and MSS were left alone). Runs after
// BackupSettings: the devices are those of the backup's layout, and on 9x
// only bindings the backup recorded.
//
// All or nothing: every key is opened for writing before anything is
// written, so a user without the right to change one of them changes none.
// Before it writes, Finish notes in the backup what each value holds at that
// moment and which keys it writes (so Reset puts back only those), and the
// modems' original records; a key the backup lists as written already keeps
// the originals noted first. A write that still fails half way is undone,
// each value put back as it was just before, before the outcome says what
// failed.
// Each value goes where the running Windows (`limits`) reads it, whatever
// Windows the backup was taken on; the originals of places the backup does
// not hold yet are added to it, and the keys Finish makes are noted, so
// that Reset removes them again.
ApplyOutcome ApplySettings(Registry& registry, WindowsFamily family,
                           const SettingsRecord& record, int32_t modemFound,
                           const WindowsLimits& limits = WindowsLimits());

}  // namespace velo
