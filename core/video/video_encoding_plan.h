// What a video written from an animation is made of, as plain arithmetic: its even picture
// size, the timestamps its delays give, and the encoder settings that the quality and effort
// scales of the GIF export stand for.
#pragma once

#include <string>

enum class VideoContainer { Mp4, WebM };

// The length made even, as 4:2:0 chroma needs: an odd one gains a row or column, the edge
// repeated. Padding keeps every pixel of the canvas (cropping would cut a line of a picture
// that may hold text at its edge) and moves the proportion by under one pixel.
int EvenLength(int length);

// How long a frame of delay (hundredths of a second) lasts in a video whose clock counts
// hundredths: a frame must move the clock, so a delay of 0 lasts one hundredth.
int VideoFrameTicks(int delay);

// The encoder of each container, by FFmpeg's name, and its name for people.
std::string DefaultVideoEncoder(VideoContainer container);
std::string VideoCodecName(VideoContainer container);
std::string VideoContainerName(VideoContainer container);

// The constant rate factor for quality 1..100 (clamped): H.264 from 35 at 1 to 18 at 100,
// VP9 from 45 at 1 to 24 at 100, in even steps.
int VideoRateFactor(VideoContainer container, int quality);

// x264's preset for effort 0..100 (clamped): ultrafast at 0 to veryslow at 100 in nine even
// steps; -1 gives medium.
std::string X264Preset(int effort);

// libvpx's cpu-used under its good deadline for effort 0..100 (clamped): 5 at 0 to 0 at 100;
// -1 gives 4, fast enough for a long animation on a small machine.
int Vp9CpuUsed(int effort);
