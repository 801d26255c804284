#!/bin/sh
# Sample Tarnwick script folder: arranges Tarnwick's windows side by side.
echo "Arranging windows"
