// Screenshots as pixels, and the launcher's windows found in them by their
// background colours.
import { PNG } from 'pngjs';

export class Picture {
  constructor(png) {
    const image = PNG.sync.read(png);
    this.width = image.width;
    this.height = image.height;
    this.data = image.data;
  }

  rgb(x, y) {
    const i = (y * this.width + x) * 4;
    return (this.data[i] << 16) | (this.data[i + 1] << 8) | this.data[i + 2];
  }

  // The smallest rectangle holding every pixel of exactly `rgb`; null if none.
  boxOf(rgb) {
    let left = Infinity, top = Infinity, right = -1, bottom = -1;
    for (let y = 0; y < this.height; y++)
      for (let x = 0; x < this.width; x++)
        if (this.rgb(x, y) === rgb) {
          left = Math.min(left, x); right = Math.max(right, x);
          top = Math.min(top, y); bottom = Math.max(bottom, y);
        }
    return right < 0 ? null : { left, top, right, bottom };
  }

  // Share of the pixels in `box` that differ from `other`'s by more than
  // `steps` in some channel.
  changedShare(other, box, steps = 24) {
    let changed = 0, all = 0;
    for (let y = box.top; y <= box.bottom; y++)
      for (let x = box.left; x <= box.right; x++) {
        const i = (y * this.width + x) * 4;
        all++;
        for (let c = 0; c < 3; c++)
          if (Math.abs(this.data[i + c] - other.data[i + c]) > steps) { changed++; break; }
      }
    return all ? changed / all : 0;
  }

  // Share of the pixels in `box` for which `test(r, g, b)` holds.
  share(box, test) {
    let hits = 0, all = 0;
    for (let y = box.top; y <= box.bottom; y++)
      for (let x = box.left; x <= box.right; x++) {
        const i = (y * this.width + x) * 4;
        all++;
        if (test(this.data[i], this.data[i + 1], this.data[i + 2])) hits++;
      }
    return all ? hits / all : 0;
  }
}
