#!/bin/sh
# Sample Tarnwick script: lists the documents Tarnwick opened last.
echo "Recent documents:"
ls -t "${TARNWICK_DOCUMENTS:-$HOME/Documents}" 2>/dev/null | head -n 10
