// What the wizard's Finish writes.
#pragma once

#include "registry/Registry.h"
#include "store/SettingsRecord.h"
#include "store/StoreOutcome.h"

namespace velo {

// Writes the record's New values, with the fixed ones, where the running
// Windows (`limits`) reads them, whatever Windows the backup was taken on:
// first the modems' port speed when a boostable modem was found (modemFound
// 1), then the browser limits, the TCP/IP values and the MTU (and on 9x the
// MSS) of the devices that carry the record's connection type (where none
// does, the outcome says the MTU and MSS were left alone). Runs after
// BackupSettings: on 9x only bindings the backup recorded get an MTU.
//
// All or nothing: every key is opened for writing before anything is
// written, so a user without the right to change one of them changes none.
// Before it writes, Finish notes in the backup what each value holds at that
// moment, which values of which keys it writes and which keys it has to
// make (so Reset puts back only those, and removes those keys again), and
// the modems' original records; a value the backup covers already keeps the
// original noted first, and a value it does not cover yet (a place of the
// Windows the machine was upgraded to) is added. A write that still fails
// half way is undone, each value put back as it was just before, before the
// outcome says what failed.
ApplyOutcome ApplySettings(Registry& registry, WindowsFamily family,
                           const SettingsRecord& record, int32_t modemFound,
                           const WindowsLimits& limits = WindowsLimits());

}  // namespace velo
