#pragma once

// How many files the program may hold open: one run may talk to a thousand units, each on a
// port or a socket of its own.
namespace FileLimit {
// Raises the soft limit to the hard one; returns the limit now in force (-1: no limit known).
long raiseToHard();
} // namespace FileLimit
