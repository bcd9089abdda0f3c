#pragma once
// The store's side of the crash points (core/crash_point.h): a layer under SQLite's file system
// that ends the process at a named step of a transaction.

namespace velora::store {

// Puts the layer under every connection opened from now on, once, when VELORA_CRASH_AT names a
// store step; does nothing otherwise and in a Release build.
void ArmStoreCrashPoints() noexcept;

}  // namespace velora::store
