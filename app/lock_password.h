// The teacher's lock password as an experiment file keeps it: never the
// password itself, only a random salt and a PBKDF2-HMAC-SHA256 digest of the
// password with it, both as hex text.
#pragma once

#include <string>

namespace ampera {

// 16 random bytes from the system's generator, as hex.
std::string MakeLockSalt();
// The digest of `password` (UTF-8) with `salt` (hex); empty for an empty
// password (a lock without a password).
std::string LockDigest(const std::string& password, const std::string& salt);
// Whether `password` opens a lock kept as `salt` and `digest`.
bool LockOpensWith(const std::string& password, const std::string& salt, const std::string& digest);

} // namespace ampera
