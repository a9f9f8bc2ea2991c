// Pictures
