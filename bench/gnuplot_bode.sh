# SPDX-License-Identifier: MIT
# Sourced by the gnuplot comparisons: the Bode plot gnuplot draws against
# the exporter's PNG, and the size of a PNG to draw it at.

# WIDTH,HEIGHT of a PNG file, from its header.
png_size() {
  /usr/bin/python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%d,%d" % struct.unpack(">II", d[16:24]))' "$1"
}

# The gnuplot terminal line for a picture the size of PNG.
bode_terminal() {  # PNG
  echo "set terminal pngcairo size $(png_size "$1") font \"IPAPGothic,10\""
  echo 'set datafile separator ","'
}

# One plot: gain on the left axis, phase on the right, log frequency.
bode_plot() {  # OUTPUT CSV
  cat <<GP
set output "$1"
set logscale x
set format x "%.0s%c"
set xlabel "FREQUENCY [Hz]"
set ylabel "GAIN [dB]" textcolor rgb "red"
set y2label "PHASE [deg]" textcolor rgb "blue"
set ytics nomirror
set y2tics
set grid xtics mxtics ytics
set key off
plot "$2" using 1:2 axes x1y1 with lines lw 2 lc rgb "red", "" using 1:3 axes x1y2 with lines lw 2 lc rgb "blue"
GP
}
