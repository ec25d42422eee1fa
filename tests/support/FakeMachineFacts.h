#pragma once

#include "platform/host/MachineFacts.h"

namespace velk::test {

// Machine facts double: every fact is a field the test sets.
class FakeMachineFacts final : public platform::host::MachineFacts {
public:
    std::optional<QString> host;
    QString name = QStringLiteral("Debian GNU/Linux");
    QString version = QStringLiteral("12");
    QString arch = QStringLiteral("x86-64 (x86_64)");
    QString model;
    std::optional<std::uint64_t> installed;

    std::optional<QString> hostName() const override { return host; }
    QString osName() const override { return name; }
    QString osVersion() const override { return version; }
    QString architecture() const override { return arch; }
    QString modelIdentifier() const override { return model; }
    std::optional<std::uint64_t> installedMemory() const override { return installed; }
};

} // namespace velk::test
