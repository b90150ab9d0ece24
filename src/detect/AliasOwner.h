#pragma once
#include <QString>

// Who keeps a port alias alive. A program that makes an alias for as long as it
// runs writes "COM<n>.owner" beside it, holding its process id, and keeps an
// exclusive lock (flock) on that file. The kernel drops the lock however the
// program ends, even when it is killed, so an owner file that nobody holds locked
// marks an alias whose maker is gone.
namespace PortNames {

// The owner file of an alias link.
QString OwnerFilePath(const QString &linkPath);

// True when the alias has an owner file that nobody holds locked. An alias without
// an owner file (made by the user, or by a test) is never stale.
bool IsStaleAlias(const QString &linkPath);

// The lock of one owner file, held from construction until destruction.
class TAliasOwnerLock {
public:
    // Creates or truncates the owner file, locks it and writes this process's id.
    explicit TAliasOwnerLock(const QString &ownerPath);
    ~TAliasOwnerLock();
    TAliasOwnerLock(const TAliasOwnerLock &) = delete;
    TAliasOwnerLock &operator=(const TAliasOwnerLock &) = delete;

    bool IsHeld() const { return FFd >= 0; }

private:
    int FFd = -1;
};

}  // namespace PortNames
