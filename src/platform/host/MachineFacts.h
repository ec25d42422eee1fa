#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace velk::platform::host {

// Facts about the machine itself: names and versions as this system gives
// them, so that what is shown is true of the machine it runs on.
class MachineFacts {
public:
    virtual ~MachineFacts() = default;

    // The name the machine goes by; absent when it has none.
    virtual std::optional<QString> hostName() const = 0;
    // Operating system name and version ("Debian GNU/Linux", "12"); the
    // version may be empty.
    virtual QString osName() const = 0;
    virtual QString osVersion() const = 0;
    // The processor architecture, e.g. "x86-64 (x86_64)".
    virtual QString architecture() const = 0;
    // The maker's model identifier; empty when unknown.
    virtual QString modelIdentifier() const = 0;
    // Bytes of memory installed: the online memory blocks times the block
    // size. Absent where the kernel does not list its memory blocks.
    virtual std::optional<std::uint64_t> installedMemory() const = 0;

    static std::shared_ptr<MachineFacts> createDefault();
    // Reads etc/os-release (or usr/lib/os-release), the firmware's model and
    // the memory blocks below `root`; the kernel name, release and architecture come from the
    // running kernel.
    static std::shared_ptr<MachineFacts> fromRoot(const QString& root);

    // The family of the running system, as its kernel names itself
    // ("Linux").
    static QString systemFamily();

    // A readable label for a kernel architecture name ("aarch64", "x86_64").
    static QString architectureLabel(const QString& machine);
};

} // namespace velk::platform::host
