#pragma once

#include "engine/sensors/SMC.h"
#include "platform/sensors/EmulatedSmc.h"

#include <QByteArray>
#include <initializer_list>
#include <memory>
#include <vector>

namespace velk::test {

// An emulated controller with a client over it whose lines and pauses are
// recorded instead of printed and slept.
struct SmcTestbed {
    std::shared_ptr<platform::sensors::EmulatedSmc> emu = std::make_shared<platform::sensors::EmulatedSmc>([] { return qint64(0); });
    std::vector<QString> lines;
    std::vector<std::uint32_t> pauses;

    std::unique_ptr<sensors::SMC> client()
    {
        return std::make_unique<sensors::SMC>(
            emu, [this](const QString& line) { lines.push_back(line); },
            [this](std::uint32_t micros) { pauses.push_back(micros); });
    }

    // The commands sent, in order, as "<command byte> <key>".
    std::vector<QString> trace() const
    {
        std::vector<QString> out;
        for (const auto& call : emu->calls())
            out.push_back(QString::number(call.command) + u' ' + call.key);
        return out;
    }
};

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (const int v : values)
        b.append(static_cast<char>(v));
    return b;
}

} // namespace velk::test
