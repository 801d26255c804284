#!/bin/sh
# A hidden sample script: Tarnwick runs it when its menu opens.
exit 0
