// Translation unit for libraries that have only headers.
