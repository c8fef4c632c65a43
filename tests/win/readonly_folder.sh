#!/bin/sh
# Prepares (make) or removes (remove) a folder holding old.sav into which nobody may write, for
# the Wine test of a save file that cannot be written. Root ignores permissions, so as root the
# folder is made immutable (chattr +i); otherwise its write permission is taken away.
set -u
action="$1"
folder="$2"
unlock() {
    [ -d "$folder" ] || return 0
    chattr -i "$folder" 2>/dev/null
    chmod u+w "$folder" 2>/dev/null
}
case "$action" in
make)
    unlock
    rm -rf "$folder"
    mkdir -p "$folder"
    printf 'old save' > "$folder/old.sav"
    chmod a-w "$folder"
    if [ "$(id -u)" = 0 ]; then chattr +i "$folder" 2>/dev/null || true; fi
    ;;
remove)
    unlock
    rm -rf "$folder"
    ;;
esac
exit 0
