#!/bin/sh
# The strip the Debian packages are made with: all symbols, as a plain strip, and the .comment
# section of compiler versions, which lintian counts as an unneeded section.
exec strip --remove-section=.comment "$@"
