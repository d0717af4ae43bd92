"""A small supersampling painter and a median-cut palette reducer: enough to
draw smooth shapes and store them in a bitmap with a palette."""

import math


class Canvas:
    """Shapes are tested at SAMPLES x SAMPLES points per pixel; the pixel
    takes the mean colour of its samples. A background of None is
    transparent: see rgba_pixels."""

    SAMPLES = 4

    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        s = self.SAMPLES
        self._w = width * s
        self._h = height * s
        self._samples = [background] * (self._w * self._h)

    def fill(self, inside, colour, box):
        """Paints colour where inside(x, y) holds, x and y in pixels, within
        the box (left, top, right, bottom) in pixels."""
        s = self.SAMPLES
        left, top, right, bottom = box
        x0 = max(0, int(math.floor(left * s)))
        x1 = min(self._w, int(math.ceil(right * s)))
        y0 = max(0, int(math.floor(top * s)))
        y1 = min(self._h, int(math.ceil(bottom * s)))
        for sy in range(y0, y1):
            y = (sy + 0.5) / s
            base = sy * self._w
            for sx in range(x0, x1):
                if inside((sx + 0.5) / s, y):
                    self._samples[base + sx] = colour

    def pixels(self):
        """Rows of (r, g, b), top first."""
        s = self.SAMPLES
        n = s * s
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                r = g = b = 0
                for sy in range(y * s, y * s + s):
                    base = sy * self._w
                    for sx in range(x * s, x * s + s):
                        pr, pg, pb = self._samples[base + sx]
                        r += pr
                        g += pg
                        b += pb
                row.append(((r + n // 2) // n, (g + n // 2) // n, (b + n // 2) // n))
            rows.append(row)
        return rows

    def rgba_pixels(self):
        """Rows of (r, g, b, a), top first: the alpha is the share of the
        pixel's samples that were painted, the colour their mean."""
        s = self.SAMPLES
        n = s * s
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                r = g = b = painted = 0
                for sy in range(y * s, y * s + s):
                    base = sy * self._w
                    for sx in range(x * s, x * s + s):
                        sample = self._samples[base + sx]
                        if sample is not None:
                            r += sample[0]
                            g += sample[1]
                            b += sample[2]
                            painted += 1
                if painted == 0:
                    row.append((0, 0, 0, 0))
                else:
                    half = painted // 2
                    row.append(((r + half) // painted, (g + half) // painted, (b + half) // painted,
                                (255 * painted + n // 2) // n))
            rows.append(row)
        return rows


# Shapes: functions of (x, y) in pixels.

def rect(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


def rounded_rect(left, top, right, bottom, radius):
    def inside(x, y):
        if not (left <= x < right and top <= y < bottom):
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return inside


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def capsule(x0, y0, x1, y1, radius):
    """A stroke of the given half-width with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= radius * radius
    return inside


def polygon(points):
    """Even-odd fill of a closed polygon."""
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(h(x, y) for h in holes)


def intersect(*shapes):
    return lambda x, y: all(s(x, y) for s in shapes)


def box_of(points, margin=0):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - margin, min(ys) - margin, max(xs) + margin, max(ys) + margin)


def median_cut(rows, count):
    """Reduces the picture to exactly count colours, each of which is a
    colour of the picture itself and so keeps at least its own pixels: every
    palette entry is used. Returns
    (palette, index rows)."""
    histogram = {}
    for row in rows:
        for colour in row:
            histogram[colour] = histogram.get(colour, 0) + 1
    if len(histogram) < count:
        raise ValueError(f"only {len(histogram)} colours to choose {count} from")
    boxes = [sorted(histogram)]

    def spread(box):
        return max(max(c[k] for c in box) - min(c[k] for c in box) for k in range(3))

    while len(boxes) < count:
        splittable = [b for b in boxes if len(b) > 1]
        box = max(splittable, key=lambda b: (spread(b) * sum(histogram[c] for c in b), b[0]))
        boxes.remove(box)
        axis = max(range(3), key=lambda k: (max(c[k] for c in box) - min(c[k] for c in box), -k))
        box.sort(key=lambda c: (c[axis], c))
        # Split where half of the box's pixels lie on each side.
        total = sum(histogram[c] for c in box)
        running = 0
        cut = 1
        for i, c in enumerate(box[:-1]):
            running += histogram[c]
            cut = i + 1
            if running * 2 >= total:
                break
        boxes += [box[:cut], box[cut:]]

    # Each box is represented by its most frequent colour, the most used box
    # first; every colour then takes the nearest of these.
    boxes.sort(key=lambda b: (-sum(histogram[c] for c in b), b[0]))
    palette = [max(box, key=lambda c: (histogram[c], c)) for box in boxes]
    lookup = {c: nearest(palette, c) for c in histogram}
    return palette, [[lookup[c] for c in row] for row in rows]


def nearest(palette, colour):
    return min(range(len(palette)), key=lambda i: (sum((a - b) ** 2 for a, b in zip(palette[i], colour)), i))
