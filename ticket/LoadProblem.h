#pragma once

#include "ticket/InputFile.h"
#include "ticket/SettingsCodec.h"

#include <QString>

// Why a file the operator named is not taken, in one sentence for the operator; each refusal of
// InputFile has its own.
namespace LoadProblem {
// Empty when the file could be read.
QString reason(const InputFile::Content &content, qint64 maxSize);
// Empty when the file is a settings file; decoded is what the decoder found in it.
QString settingsReason(const InputFile::Content &content, const SettingsCodec::Decoded &decoded);
} // namespace LoadProblem
