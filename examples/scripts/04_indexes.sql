CREATE INDEX customer_name ON customer (name)
GO