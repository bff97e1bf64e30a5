#pragma once

#include <QString>

#include <array>

class QRandomGenerator;

namespace tallowin {

// The ten usage tips, tip n at index n - 1.
extern const std::array<QString, 10> Tips;

// A tip number from 1 to 10, each equally likely; every choice is independent of the last.
int chooseTip(QRandomGenerator &random);

} // namespace tallowin
