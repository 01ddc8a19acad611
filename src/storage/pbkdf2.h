#pragma once
// PBKDF2 with HMAC-SHA256 as its pseudo-random function: derives a key of any length from a
// password and a salt by repeated hashing, so that guessing a stored password costs time.
#include <QByteArray>
#include <QByteArrayView>

// The derived key of `length` bytes after `iterations` rounds (both at least 1; otherwise the
// result is empty).
QByteArray Pbkdf2HmacSha256(QByteArrayView password, QByteArrayView salt, int iterations, int length);

// Compares two byte strings in a time that does not depend on where they differ.
bool EqualInConstantTime(QByteArrayView a, QByteArrayView b);
