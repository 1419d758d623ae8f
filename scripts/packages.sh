# The Debian packages of each set-up step, sourced by the scripts.
# Building the program: compiler, CMake, Qt 6 Widgets, GStreamer.
BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev)
# Running it: GStreamer's conversion elements, camera sources (v4l2src) and
# JPEG decoding for MJPEG webcams, and a font with the Chinese captions.
RUN_PACKAGES=(gstreamer1.0-plugins-base gstreamer1.0-plugins-good fonts-wqy-zenhei)
# Testing and benchmarking.
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev)
# The screenshot: a virtual X server, mouse clicks and a screen grab.
SCREENSHOT_PACKAGES=(xvfb x11-utils xdotool imagemagick)
